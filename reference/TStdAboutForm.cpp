// The texts are read once, when the window is created at start-up, from the
// version information that the build compiles into the program.
#include "TStdAboutForm.h"

#include "Controls.h"
#include "VersionInfo.h"
#include "WindowPlacement.h"

TStdAboutForm::TStdAboutForm(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("StdAboutForm");
  setProperty("helpTopic", "main");  // the help page F1 opens
  setWindowTitle("About");
  setFont(Controls::Font());
  Panel1 = new QFrame(this);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(2);
  Panel1->setGeometry(10, 10, 346, 159);
  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setGeometry(10, 10, 63, 63);
  ProgramIcon->setScaledContents(true);
  ProgramIcon->setPixmap(QPixmap(":/pictures/icon128.png"));  // sharp at 2x too
  ProductName = Controls::Label(Panel1, "", 100, 12, true);
  Version = Controls::Label(Panel1, "", 160, 41);
  Copyright = Controls::Label(Panel1, "Copyright \u00A9 2026 the Vardenlyke Zovuderiz developers", 114, 82);
  Copyright->move(346 - Copyright->width() - 10, 82);
  Label1 = new QLabel(Panel1);
  Label1->setFont(Controls::Font());
  Label1->setGeometry(56, 112, 265, 35);
  OKButton = Controls::Button(this, "OK", 137, 174, 92, 30);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  WindowPlacement::Centre(this, {367, 216});
  FormCreate();
}

void TStdAboutForm::FormCreate() {
  ProductName->setText(VersionInfo::kProductName);
  ProductName->adjustSize();
  Version->setText(VersionInfo::kProductVersion);
  Version->adjustSize();
  Label1->setText(QString(10, ' ') + VersionInfo::kMaker);
}
