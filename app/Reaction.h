// Wraps a control's reaction so that an error it raises is shown by the
// application's error display and abandons only that reaction: exceptions
// never unwind through Qt's own frames.
#pragma once

#include <exception>
#include <utility>

#include "ZovApplication.h"

template <typename F>
auto Reaction(F reaction) {
  return [reaction = std::move(reaction)](auto&&... args) {
    try {
      reaction(std::forward<decltype(args)>(args)...);
    } catch (const std::exception& error) {
      ZovApplication::ShowError(error.what());
    } catch (...) {
      ZovApplication::ShowError("An unexpected error occurred.");
    }
  };
}
