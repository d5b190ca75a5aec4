// The HTML options dialog.
#include "ui/export/tform_html_format.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"
#include "ui/export/cp932_validator.h"

namespace pw {
namespace {

QRadioButton* NewRadio(QWidget* parent, QLayout* layout, const char* name, const char* caption) {
  auto* radio = new QRadioButton(U8(caption), parent);
  radio->setObjectName(name);
  layout->addWidget(radio);
  return radio;
}

QGroupBox* NewGroup(QWidget* parent, QLayout* layout, const char* name, const char* caption) {
  auto* group = new QGroupBox(U8(caption), parent);
  group->setObjectName(name);
  layout->addWidget(group);
  return group;
}

}  // namespace

TFormHTMLFormat::TFormHTMLFormat(QWidget* parent) : QDialog(parent) {
  setObjectName("TFormHTMLFormat");
  setWindowTitle(U8("HTML出力ｵﾌﾟｼｮﾝ"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout();
  layout->addLayout(groups);

  GroupBoxMark = NewGroup(this, groups, "GroupBoxMark", "ﾏｰｸ");
  auto* mark = new QVBoxLayout(GroupBoxMark);
  RadioButtonGif = NewRadio(GroupBoxMark, mark, "RadioButtonGif", "GIFﾌｧｲﾙ(&G)");
  RadioButtonText = NewRadio(GroupBoxMark, mark, "RadioButtonText", "ﾃｷｽﾄ(&M)");
  RadioButtonNone = NewRadio(GroupBoxMark, mark, "RadioButtonNone", "使わない(&N)");
  mark->addStretch(1);

  GroupBoxTree = NewGroup(this, groups, "GroupBoxTree", "ﾂﾘｰ");
  auto* tree = new QVBoxLayout(GroupBoxTree);
  RadioButtonIndent = NewRadio(GroupBoxTree, tree, "RadioButtonIndent", "ｲﾝﾃﾞﾝﾄする(&I)");
  RadioButtonNoIndent = NewRadio(GroupBoxTree, tree, "RadioButtonNoIndent", "ｲﾝﾃﾞﾝﾄしない(&F)");
  tree->addStretch(1);

  GroupBoxExt = NewGroup(this, groups, "GroupBoxExt", "拡張子");
  auto* ext = new QVBoxLayout(GroupBoxExt);
  RadioButtonHtm = NewRadio(GroupBoxExt, ext, "RadioButtonHtm", "拡張子を.htmにする");
  RadioButtonHtml = NewRadio(GroupBoxExt, ext, "RadioButtonHtml", "拡張子を.htmlにする");
  ext->addStretch(1);

  GroupBoxTitle = NewGroup(this, layout, "GroupBoxTitle", "ﾀｲﾄﾙ");
  auto* title = new QHBoxLayout(GroupBoxTitle);
  LabelTitle = new QLabel(U8("HTMLのﾀｲﾄﾙ(&T)"), GroupBoxTitle);
  LabelTitle->setObjectName("LabelTitle");
  EditTitle = new QLineEdit(GroupBoxTitle);
  EditTitle->setObjectName("EditTitle");
  EditTitle->setValidator(new Cp932TextValidator(EditTitle));
  LabelTitle->setBuddy(EditTitle);
  title->addWidget(LabelTitle);
  title->addWidget(EditTitle, 1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName("ButtonOK");
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(U8("ｷｬﾝｾﾙ"), this);
  ButtonCancel->setObjectName("ButtonCancel");
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  layout->addLayout(buttons);
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

  RadioButtonGif->setChecked(true);
  RadioButtonIndent->setChecked(true);
  RadioButtonHtm->setChecked(true);
  resize(sizeHint().width() + 80, sizeHint().height());
}

void TFormHTMLFormat::SetSiteTitle(const std::string& cp932) {
  EditTitle->setText(FromCp932(cp932));
}

HtmlOptions TFormHTMLFormat::Options() const {
  HtmlOptions options;
  options.marks = RadioButtonGif->isChecked()    ? HtmlMarks::kImages
                  : RadioButtonText->isChecked() ? HtmlMarks::kText
                                                 : HtmlMarks::kNone;
  options.indent = RadioButtonIndent->isChecked();
  options.html_extension = RadioButtonHtml->isChecked();
  options.title = ToCp932(EditTitle->text()).bytes;
  return options;
}

}  // namespace pw
