// The photograph is a JPEG stretched to its frame; Qt decodes it itself.
#include "TSplashForm.h"

#include "Controls.h"
#include "WindowPlacement.h"

TSplashForm::TSplashForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("SplashForm");
  setWindowTitle("Loading");
  Label1 = new QLabel("Vardenlyke Zovuderiz", this);
  QFont serif;
  serif.setFamilies({"Times New Roman", "Liberation Serif", "DejaVu Serif"});
  serif.setPixelSize(32);
  Label1->setFont(serif);
  Label1->setGeometry(85, 0, 320, 36);
  Image1 = new QLabel(this);
  Image1->setGeometry(25, 52, 403, 306);
  Image1->setScaledContents(true);
  Image1->setPixmap(QPixmap(":/pictures/splash.jpg"));
  Label2 = new QLabel("For all who keep the fires of steam alight", this);
  Label2->setFont(Controls::Font(true));
  Label2->setGeometry(104, 377, 266, 13);
  WindowPlacement::PlaceOuter(this, {311, 174}, {462, 428});
}
