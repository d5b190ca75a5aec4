// The options dialog: six pages of controls bound to the settings, the font and colour
// previews, and the character-item list editor with its file.
#include "ui/settings/tform_option.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "core/outline.h"
#include "settings/options.h"
#include "ui/common/dialogs.h"
#include "ui/common/font_setting_qt.h"
#include "ui/common/qt_text.h"
#include "ui/common/tree_icons.h"

namespace pw {
namespace {

constexpr char kCaption[] = "ｶｽﾀﾏｲｽﾞ";
constexpr char kFolderCaption[] = "ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙを作成するﾃﾞｨﾚｸﾄﾘ";
constexpr char kSameLinkMarks[] = "リンク文字の左端と右端に同じ文字を使用することはできません。";
constexpr char kCannotSet[] = "設定できません";

QGroupBox* Group(const char* title, QLayout* layout) {
  auto* group = new QGroupBox(U8(title));
  group->setLayout(layout);
  return group;
}

QIcon ColorSwatch(int32_t color) {
  QPixmap pixmap(32, 16);
  pixmap.fill(ToQColor(color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return QIcon(pixmap);
}

}  // namespace

TFormOption::TFormOption(Dialogs* dialogs, std::string chr_path, std::function<void()> help,
                         QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), chr_path_(std::move(chr_path)), help_(std::move(help)) {
  setObjectName(QStringLiteral("FormOption"));
  setWindowTitle(U8(kCaption));
  setModal(true);

  PageControlMain = new QTabWidget;
  PageControlMain->setObjectName(QStringLiteral("PageControlMain"));
  PageControlMain->addTab(CreateGeneralPage(), U8("全般"));
  PageControlMain->addTab(CreateLinkPage(), U8("ﾘﾝｸ"));
  PageControlMain->addTab(CreateFilePage(), U8("ﾌｧｲﾙ"));
  PageControlMain->addTab(CreatePreviewPage(0), U8("ﾌｫﾝﾄ"));
  PageControlMain->addTab(CreatePreviewPage(1), U8("ｶﾗｰ"));
  PageControlMain->addTab(CreateCharaPage(), U8("ｷｬﾗｸﾀｰ"));
  connect(PageControlMain, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == 5 && TreeViewChara->topLevelItemCount() > 0) {
      TreeViewChara->setCurrentItem(TreeViewChara->topLevelItem(0));
    }
  });

  ButtonOK = new QPushButton(QStringLiteral("OK"));
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(U8("ｷｬﾝｾﾙ"));
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonHelp = new QPushButton(U8("ﾍﾙﾌﾟ(&H)"));
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  connect(ButtonOK, &QPushButton::clicked, this, &TFormOption::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormOption::ButtonCancelClick);
  connect(ButtonHelp, &QPushButton::clicked, this, [this] {
    if (help_) help_();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCancel);
  buttons->addWidget(ButtonHelp);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControlMain);
  layout->addLayout(buttons);

  // Creation: the file's list when there is one, the root selected, page "全般".
  LoadCharaFile();
  FillCharaTree();
  PageControlMain->setCurrentIndex(0);
}

QWidget* TFormOption::CreateGeneralPage() {
  auto* page = new QWidget;
  CheckBoxShowButtons = new QCheckBox(U8("ﾙｰﾄにﾎﾞﾀﾝを表示する(&B)"));
  CheckBoxShowLines = new QCheckBox(U8("ﾗｲﾝを表示する(&L)"));
  auto* tree = new QVBoxLayout;
  tree->addWidget(CheckBoxShowButtons);
  tree->addWidget(CheckBoxShowLines);

  SpinEditTitleMaxLength = new QSpinBox;
  SpinEditTitleMaxLength->setRange(kTitleMaxLengthMin, kTitleMaxLengthMax);
  auto* title_label = new QLabel(U8("ﾀｲﾄﾙ自動設定時の長さ(&I)"));
  title_label->setBuddy(SpinEditTitleMaxLength);
  auto* title = new QHBoxLayout;
  title->addWidget(title_label);
  title->addWidget(SpinEditTitleMaxLength);
  title->addStretch();

  CheckBoxScrollBars = new QCheckBox(U8("ｽｸﾛｰﾙﾊﾞｰを付ける(&S)"));
  CheckBoxWordWrap = new QCheckBox(U8("長い行は折り返す(&W)"));
  auto* tabs = new QHBoxLayout;
  auto* tab_group = new QButtonGroup(this);
  for (size_t i = 0; i < RadioButtonTab.size(); ++i) {
    RadioButtonTab[i] = new QRadioButton(QString::number(kTabChoices[i]));
    RadioButtonTab[i]->setObjectName(QStringLiteral("RadioButtonTab%1").arg(kTabChoices[i]));
    tab_group->addButton(RadioButtonTab[i], static_cast<int>(i));
    tabs->addWidget(RadioButtonTab[i]);
  }
  tabs->addStretch();
  auto* tab_box = Group("ﾀﾌﾞ幅(&A)", tabs);
  auto* editor = new QVBoxLayout;
  editor->addWidget(CheckBoxScrollBars);
  editor->addWidget(CheckBoxWordWrap);
  editor->addWidget(tab_box);

  auto color_box = [this](QToolButton** box, const char* name, int32_t* color) {
    *box = new QToolButton;
    (*box)->setObjectName(QString::fromLatin1(name));
    (*box)->setIconSize(QSize(32, 16));
    connect(*box, &QToolButton::clicked, this,
            [this, box, color] { ChooseImeColor(*box, color); });
  };
  color_box(&ColorBoxIMEText, "ColorBoxIMEText", &ime_text_);
  color_box(&ColorBoxIMEBack, "ColorBoxIMEBack", &ime_back_);
  color_box(&ColorBoxIMEInput, "ColorBoxIMEInput", &ime_input_);
  CheckBoxIMEEnable = new QCheckBox(U8("起動時にIMEをONにする(&E)"));
  auto* ime = new QGridLayout;
  ime->addWidget(new QLabel(U8("変換中の文字色")), 0, 0);
  ime->addWidget(ColorBoxIMEText, 0, 1);
  ime->addWidget(new QLabel(U8("変換中の文字の背景色")), 1, 0);
  ime->addWidget(ColorBoxIMEBack, 1, 1);
  ime->addWidget(new QLabel(U8("入力中の文字色")), 2, 0);
  ime->addWidget(ColorBoxIMEInput, 2, 1);
  ime->addWidget(CheckBoxIMEEnable, 3, 0, 1, 2);
  ime->setColumnStretch(2, 1);

  auto* grid = new QGridLayout(page);
  grid->addWidget(Group("ﾂﾘｰ", tree), 0, 0);
  grid->addWidget(Group("ﾀｲﾄﾙ", title), 1, 0);
  grid->addWidget(Group("ｴﾃﾞｨﾀ", editor), 0, 1, 2, 1);
  grid->addWidget(Group("IME", ime), 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  CheckBoxShowButtons->setObjectName(QStringLiteral("CheckBoxShowButtons"));
  CheckBoxShowLines->setObjectName(QStringLiteral("CheckBoxShowLines"));
  SpinEditTitleMaxLength->setObjectName(QStringLiteral("SpinEditTitleMaxLength"));
  CheckBoxScrollBars->setObjectName(QStringLiteral("CheckBoxScrollBars"));
  CheckBoxWordWrap->setObjectName(QStringLiteral("CheckBoxWordWrap"));
  CheckBoxIMEEnable->setObjectName(QStringLiteral("CheckBoxIMEEnable"));
  return page;
}

QWidget* TFormOption::CreateLinkPage() {
  auto* page = new QWidget;
  auto mark_box = [this](const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(2);
    edit->setValidator(new Cp932Validator(edit));
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(U8("＃＃")) + 16);
    return edit;
  };
  EditLinkLeft = mark_box("EditLinkLeft");
  EditLinkRight = mark_box("EditLinkRight");
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(U8("左端")), 0, 0, Qt::AlignCenter);
  grid->addWidget(new QLabel(U8("右端")), 0, 2, Qt::AlignCenter);
  grid->addWidget(EditLinkLeft, 1, 0);
  grid->addWidget(new QLabel(U8("リンク先のノードのタイトル")), 1, 1, Qt::AlignCenter);
  grid->addWidget(EditLinkRight, 1, 2);
  grid->setColumnStretch(3, 1);
  auto* group = Group("ﾘﾝｸ文字(&L)", grid);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* TFormOption::CreateFilePage() {
  auto* page = new QWidget;
  CheckBoxNodeOpen = new QCheckBox(U8("ﾌｧｲﾙを開いたときにﾉｰﾄﾞをすべて開く(&O)"));
  CheckBoxNodeOpen->setObjectName(QStringLiteral("CheckBoxNodeOpen"));
  CheckBoxMakeBak = new QCheckBox(U8("ﾌｧｲﾙ保存時にﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙを作成する(&B)"));
  CheckBoxMakeBak->setObjectName(QStringLiteral("CheckBoxMakeBak"));
  CheckBoxLoadEditPos = new QCheckBox(U8("ﾌｧｲﾙ読み込み時にｶｰｿﾙ位置も読みこむ(&C)"));
  CheckBoxLoadEditPos->setObjectName(QStringLiteral("CheckBoxLoadEditPos"));
  CheckBoxUseBakDir = new QCheckBox(U8("ﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙを作成するﾌｫﾙﾀﾞを指定する(&D)"));
  CheckBoxUseBakDir->setObjectName(QStringLiteral("CheckBoxUseBakDir"));
  auto folder_row = [this](QLineEdit** box, QPushButton** button, const char* box_name,
                           const char* button_name, const char* caption) {
    *box = new QLineEdit;
    (*box)->setObjectName(QString::fromLatin1(box_name));
    (*box)->setReadOnly(true);
    *button = new QPushButton(U8(caption));
    (*button)->setObjectName(QString::fromLatin1(button_name));
    QLineEdit* target = *box;
    connect(*button, &QPushButton::clicked, this, [this, target] { ChooseFolder(target); });
    auto* row = new QHBoxLayout;
    row->addWidget(*box, 1);
    row->addWidget(*button);
    return row;
  };
  auto* options = new QVBoxLayout;
  options->addWidget(CheckBoxNodeOpen);
  options->addWidget(CheckBoxMakeBak);
  options->addWidget(CheckBoxLoadEditPos);
  options->addWidget(CheckBoxUseBakDir);
  auto* back_row = folder_row(&EditBackDir, &ButtonBackDir, "EditBackDir", "ButtonBackDir",
                              "参照(&R)");
  back_row->setContentsMargins(20, 0, 0, 0);
  options->addLayout(back_row);
  auto* default_row = folder_row(&EditDefaultDir, &ButtonDefaultDir, "EditDefaultDir",
                                 "ButtonDefaultDir", "参照(&L)");
  auto* default_label = new QLabel(U8("ﾃﾞﾌｫﾙﾄﾌｫﾙﾀﾞ(&F)  (再起動後に有効になります)"));
  default_label->setBuddy(ButtonDefaultDir);
  options->addWidget(default_label);
  options->addLayout(default_row);
  connect(CheckBoxUseBakDir, &QCheckBox::toggled, this, [this](bool on) {
    EditBackDir->setEnabled(on);
    ButtonBackDir->setEnabled(on);
  });

  EditSplitLine = new QLineEdit;
  EditSplitLine->setObjectName(QStringLiteral("EditSplitLine"));
  EditSplitLine->setValidator(new Cp932Validator(EditSplitLine));
  auto* split_label = new QLabel(U8("項目の区切り線(&S)"));
  split_label->setBuddy(EditSplitLine);
  auto* split = new QHBoxLayout;
  split->addWidget(split_label);
  split->addWidget(EditSplitLine, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group("ｵﾌﾟｼｮﾝ", options));
  layout->addWidget(Group("ﾌｧｲﾙ書き出し", split));
  layout->addStretch();
  return page;
}

QWidget* TFormOption::CreatePreviewPage(int index) {
  auto* page = new QWidget;
  const bool fonts = index == 0;
  const auto i = static_cast<size_t>(index);
  auto* tree = new QTreeWidget;
  tree->setObjectName(QStringLiteral("TreeViewSample%1").arg(index));
  tree->setHeaderHidden(true);
  tree->setFocusPolicy(Qt::NoFocus);
  auto* top = new QTreeWidgetItem(tree, {QStringLiteral("No Title")});
  top->setIcon(0, TreeIcons::Instance().Icon(kIconRoot));
  auto* child = new QTreeWidgetItem(top, {U8("サンプル")});
  child->setIcon(0, TreeIcons::Instance().Icon(ncBlue + kChildIconBase));
  auto* junk = new QTreeWidgetItem(tree, {U8("ジャンク箱")});
  junk->setIcon(0, TreeIcons::Instance().Icon(kIconRoot));
  tree->expandAll();
  // The samples always show every node.
  connect(tree, &QTreeWidget::itemCollapsed, tree,
          [tree](QTreeWidgetItem* item) { tree->expandItem(item); });
  TreeViewSample[i] = tree;

  auto* title = new QLineEdit(U8(fonts ? "ﾀｲﾄﾙのﾌｫﾝﾄ" : "ﾀｲﾄﾙの背景色"));
  title->setObjectName(QStringLiteral("MemoSample%1").arg(index));
  title->setReadOnly(true);
  title->setFocusPolicy(Qt::NoFocus);
  MemoSample[i] = title;
  auto* body = new QTextEdit;
  body->setObjectName(QStringLiteral("RichEditSample%1").arg(index));
  body->setPlainText(U8(fonts ? "ｴﾃﾞｨﾀのﾌｫﾝﾄ" : "ｴﾃﾞｨﾀの背景色"));
  body->setReadOnly(true);
  body->setFocusPolicy(Qt::NoFocus);
  RichEditSample[i] = body;

  const char* const captions[3] = {"設定(&T)", "設定(&M)", "設定(&E)"};
  std::array<QPushButton*, 3>& buttons = fonts ? ButtonFont : ButtonColor;
  for (int pane = 0; pane < 3; ++pane) {
    auto* button = new QPushButton(U8(captions[pane]));
    button->setObjectName(QStringLiteral("Button%1%2")
                              .arg(fonts ? QStringLiteral("Font") : QStringLiteral("Color"))
                              .arg(pane));
    buttons[static_cast<size_t>(pane)] = button;
    connect(button, &QPushButton::clicked, this, [this, fonts, pane] {
      if (fonts) {
        ChooseFont(Pane(pane));
      } else {
        ChooseColor(Pane(pane));
      }
    });
  }
  // The tree on the left with its button below; the title and body samples on the right,
  // each with its button beside it.
  auto* grid = new QGridLayout;
  grid->addWidget(tree, 0, 0, 2, 1);
  grid->addWidget(buttons[kTree], 2, 0, Qt::AlignHCenter);
  grid->addWidget(title, 0, 1);
  grid->addWidget(buttons[kTitle], 0, 2, Qt::AlignTop);
  grid->addWidget(body, 1, 1, 2, 1);
  grid->addWidget(buttons[kBody], 1, 2, Qt::AlignTop);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 3);
  grid->setRowStretch(1, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group(fonts ? "ﾌｫﾝﾄの設定" : "ｶﾗｰの設定", grid));
  if (fonts) {
    auto* note = new QLabel(U8("ｴﾃﾞｨﾀ部の設定は新しく作成したﾉｰﾄﾞから有効になります。"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  return page;
}

QWidget* TFormOption::CreateCharaPage() {
  auto* page = new QWidget;
  TreeViewChara = new QTreeWidget;
  TreeViewChara->setObjectName(QStringLiteral("TreeViewChara"));
  TreeViewChara->setHeaderHidden(true);
  connect(TreeViewChara, &QTreeWidget::currentItemChanged, this,
          [this] { CharaSelectionChanged(); });
  auto button = [this](QPushButton** b, const char* name, const char* caption,
                       void (TFormOption::*handler)()) {
    *b = new QPushButton(U8(caption));
    (*b)->setObjectName(QString::fromLatin1(name));
    connect(*b, &QPushButton::clicked, this, handler);
  };
  button(&ButtonCharaNew, "ButtonCharaNew", "新規項目(&N)", &TFormOption::ButtonCharaNewClick);
  button(&ButtonCharaDelete, "ButtonCharaDelete", "削除(&D)",
         &TFormOption::ButtonCharaDeleteClick);
  button(&ButtonCharaUp, "ButtonCharaUp", "上へ移動(&U)", &TFormOption::ButtonCharaUpClick);
  button(&ButtonCharaDown, "ButtonCharaDown", "下へ移動(&L)",
         &TFormOption::ButtonCharaDownClick);
  EditChara = new QLineEdit;
  EditChara->setObjectName(QStringLiteral("EditChara"));
  EditChara->setValidator(new Cp932Validator(EditChara));
  connect(EditChara, &QLineEdit::textEdited, this, &TFormOption::EditCharaEdited);

  auto* side = new QVBoxLayout;
  side->addWidget(ButtonCharaNew);
  side->addWidget(ButtonCharaDelete);
  side->addWidget(ButtonCharaUp);
  side->addWidget(ButtonCharaDown);
  side->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(TreeViewChara, 0, 0);
  grid->addLayout(side, 0, 1);
  grid->addWidget(EditChara, 1, 0);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Group("ｷｬﾗｸﾀｰの項目", grid));
  return page;
}

void TFormOption::LoadCharaFile() {
  const Status status = chara_items_.LoadFile(chr_path_);
  if (!status) {
    dialogs_->Message(this, U8(kCaption), QString::fromStdString(status.message),
                      DialogIcon::kError);
  }
}

void TFormOption::FillCharaTree() {
  filling_chara_ = true;
  TreeViewChara->clear();
  auto* root = new QTreeWidgetItem(TreeViewChara, {FromCp932(CharacterListHead())});
  root->setIcon(0, TreeIcons::Instance().Icon(kIconChara));
  for (const std::string& item : chara_items_.items()) {
    auto* node = new QTreeWidgetItem(root, {FromCp932(item)});
    node->setIcon(0, TreeIcons::Instance().Icon(kIconCharaItem));
  }
  root->setExpanded(true);
  filling_chara_ = false;
  TreeViewChara->setCurrentItem(root);
  CharaSelectionChanged();
}

namespace {

// The item's index in the list, or -1 for the root (and for nothing).
int ItemIndex(QTreeWidget* tree) {
  QTreeWidgetItem* item = tree->currentItem();
  if (item == nullptr || item->parent() == nullptr) return -1;
  return item->parent()->indexOfChild(item);
}

}  // namespace

void TFormOption::CharaSelectionChanged() {
  if (filling_chara_) return;
  const int index = ItemIndex(TreeViewChara);
  const bool item = index >= 0;
  EditChara->setText(item ? TreeViewChara->currentItem()->text(0) : FromCp932(CharacterListHead()));
  EditChara->setEnabled(item);
  ButtonCharaDelete->setEnabled(item);
  ButtonCharaUp->setEnabled(item);
  ButtonCharaDown->setEnabled(item);
}

void TFormOption::EditCharaEdited(const QString& text) {
  const int index = ItemIndex(TreeViewChara);
  if (index < 0) return;
  chara_items_.Rename(static_cast<size_t>(index), ToCp932(text).bytes);
  TreeViewChara->currentItem()->setText(0, text);
}

void TFormOption::ButtonCharaNewClick() {
  const size_t index = chara_items_.AppendEmpty();
  QTreeWidgetItem* root = TreeViewChara->topLevelItem(0);
  auto* node = new QTreeWidgetItem(root, {QString()});
  node->setIcon(0, TreeIcons::Instance().Icon(kIconCharaItem));
  root->setExpanded(true);
  (void)index;
  TreeViewChara->setCurrentItem(node);
  EditChara->setFocus();
}

void TFormOption::ButtonCharaDeleteClick() {
  const int index = ItemIndex(TreeViewChara);
  if (index >= 0) {
    chara_items_.Remove(static_cast<size_t>(index));
    delete TreeViewChara->currentItem();
    CharaSelectionChanged();
  }
  TreeViewChara->setFocus();
}

void TFormOption::ButtonCharaUpClick() {
  const int index = ItemIndex(TreeViewChara);
  if (index > 0 && chara_items_.MoveUp(static_cast<size_t>(index))) {
    QTreeWidgetItem* root = TreeViewChara->topLevelItem(0);
    QTreeWidgetItem* item = root->takeChild(index);
    root->insertChild(index - 1, item);
    TreeViewChara->setCurrentItem(item);
  }
  TreeViewChara->setFocus();
}

void TFormOption::ButtonCharaDownClick() {
  const int index = ItemIndex(TreeViewChara);
  QTreeWidgetItem* root = TreeViewChara->topLevelItem(0);
  if (index >= 0 && index + 1 < root->childCount() &&
      chara_items_.MoveDown(static_cast<size_t>(index))) {
    QTreeWidgetItem* item = root->takeChild(index);
    root->insertChild(index + 1, item);
    TreeViewChara->setCurrentItem(item);
  }
  TreeViewChara->setFocus();
}

void TFormOption::Prepare(const Settings& settings) {
  // The file is the truth each time; a first showing creates it with the present list.
  if (std::filesystem::exists(chr_path_)) {
    LoadCharaFile();
  } else if (const Status status = chara_items_.SaveFile(chr_path_); !status) {
    dialogs_->Message(this, U8(kCaption), QString::fromStdString(status.message),
                      DialogIcon::kError);
  }
  shown_items_ = chara_items_;
  FillCharaTree();

  const std::optional<int> tab = TabChoiceOf(settings.Tab);
  for (size_t i = 0; i < RadioButtonTab.size(); ++i) {
    RadioButtonTab[i]->setAutoExclusive(false);  // so that none can be checked
    RadioButtonTab[i]->setChecked(tab && static_cast<size_t>(*tab) == i);
    RadioButtonTab[i]->setAutoExclusive(true);
  }
  title_max_length_ = settings.TitleMaxLength;
  SpinEditTitleMaxLength->setValue(TitleMaxLengthForControl(settings.TitleMaxLength));
  CheckBoxShowButtons->setChecked(settings.ShowButtons);
  CheckBoxShowLines->setChecked(settings.ShowLines);
  CheckBoxScrollBars->setChecked(settings.ScrollBars);
  CheckBoxWordWrap->setChecked(settings.WordWrap);
  CheckBoxIMEEnable->setChecked(settings.IMEEnable);
  CheckBoxNodeOpen->setChecked(settings.NodeOpen);
  CheckBoxMakeBak->setChecked(settings.MakeBak);
  CheckBoxLoadEditPos->setChecked(settings.LoadEditPos);
  CheckBoxUseBakDir->setChecked(settings.UseBakDir);
  EditBackDir->setEnabled(settings.UseBakDir);
  ButtonBackDir->setEnabled(settings.UseBakDir);
  EditSplitLine->setText(FromCp932(settings.SplitLine));
  EditBackDir->setText(QString::fromStdString(settings.BackDir));
  EditDefaultDir->setText(QString::fromStdString(settings.DefaultDir));
  EditLinkLeft->setText(FromCp932(settings.LinkLeft));
  EditLinkRight->setText(FromCp932(settings.LinkRight));
  ime_text_ = settings.IMEText;
  ime_back_ = settings.IMEBack;
  ime_input_ = settings.IMEInput;
  ShowImeColors();
  fonts_ = {settings.TreeViewFont, settings.MemoFont, settings.RichEditFont};
  colors_ = {settings.TVColor, settings.MemoColor, settings.REColor};
  ShowPreviews();
  PageControlMain->setCurrentIndex(0);
}

void TFormOption::StoreInto(Settings* s) const {
  std::optional<int> tab;
  for (size_t i = 0; i < RadioButtonTab.size(); ++i) {
    if (RadioButtonTab[i]->isChecked()) tab = static_cast<int>(i);
  }
  s->Tab = TabFromChoice(tab, s->Tab);
  s->TitleMaxLength =
      TitleMaxLengthFromControl(SpinEditTitleMaxLength->value(), title_max_length_);
  s->ShowButtons = CheckBoxShowButtons->isChecked();
  s->ShowLines = CheckBoxShowLines->isChecked();
  s->ScrollBars = CheckBoxScrollBars->isChecked();
  s->WordWrap = CheckBoxWordWrap->isChecked();
  s->NodeOpen = CheckBoxNodeOpen->isChecked();
  s->MakeBak = CheckBoxMakeBak->isChecked();
  s->SplitLine = ToCp932(EditSplitLine->text()).bytes;
  s->UseBakDir = CheckBoxUseBakDir->isChecked();
  s->LoadEditPos = CheckBoxLoadEditPos->isChecked();
  s->BackDir = EditBackDir->text().toStdString();
  s->DefaultDir = EditDefaultDir->text().toStdString();
  s->LinkLeft = ToCp932(EditLinkLeft->text()).bytes;
  s->LinkRight = ToCp932(EditLinkRight->text()).bytes;
  s->TreeViewFont = fonts_[kTree];
  s->MemoFont = fonts_[kTitle];
  s->RichEditFont = fonts_[kBody];
  s->TVColor = colors_[kTree];
  s->MemoColor = colors_[kTitle];
  s->REColor = colors_[kBody];
  s->IMEText = ime_text_;
  s->IMEBack = ime_back_;
  s->IMEInput = ime_input_;
  s->IMEEnable = CheckBoxIMEEnable->isChecked();
}

void TFormOption::ButtonOKClick() {
  if (EditLinkLeft->text() == EditLinkRight->text()) {
    dialogs_->Message(this, U8(kCannotSet), U8(kSameLinkMarks), DialogIcon::kWarning);
    return;
  }
  if (const Status status = chara_items_.SaveFile(chr_path_); !status) {
    dialogs_->Message(this, U8(kCaption), QString::fromStdString(status.message),
                      DialogIcon::kError);
  }
  accept();
}

void TFormOption::ButtonCancelClick() { reject(); }

void TFormOption::reject() {
  // Cancel changes nothing: not even the list new characters take their items from.
  chara_items_ = shown_items_;
  QDialog::reject();
}

void TFormOption::ShowPreviews() {
  for (size_t page = 0; page < 2; ++page) {
    const QWidget* panes[3] = {TreeViewSample[page], MemoSample[page], RichEditSample[page]};
    for (size_t pane = 0; pane < 3; ++pane) {
      QWidget* w = const_cast<QWidget*>(panes[pane]);
      w->setFont(ToQFont(fonts_[pane]));
      QPalette palette = w->palette();
      palette.setColor(QPalette::Base, ToQColor(colors_[pane]));
      if (!IsSystemColor(fonts_[pane].Color)) {
        palette.setColor(QPalette::Text, ToQColor(fonts_[pane].Color));
      }
      w->setPalette(palette);
    }
    RichEditSample[page]->document()->setDefaultFont(ToQFont(fonts_[kBody]));
  }
}

void TFormOption::ShowImeColors() {
  ColorBoxIMEText->setIcon(ColorSwatch(ime_text_));
  ColorBoxIMEBack->setIcon(ColorSwatch(ime_back_));
  ColorBoxIMEInput->setIcon(ColorSwatch(ime_input_));
}

void TFormOption::ChooseFont(Pane pane) {
  const auto i = static_cast<size_t>(pane);
  if (std::optional<QFont> font = dialogs_->ChooseFont(this, ToQFont(fonts_[i]))) {
    fonts_[i] = FromQFont(*font, fonts_[i]);
    ShowPreviews();
  }
}

void TFormOption::ChooseColor(Pane pane) {
  const auto i = static_cast<size_t>(pane);
  if (std::optional<QColor> color = dialogs_->ChooseColor(this, ToQColor(colors_[i]))) {
    colors_[i] = FromQColor(*color);
    ShowPreviews();
  }
}

void TFormOption::ChooseImeColor(QToolButton* box, int32_t* color) {
  (void)box;
  if (std::optional<QColor> chosen = dialogs_->ChooseColor(this, ToQColor(*color))) {
    *color = FromQColor(*chosen);
    ShowImeColors();
  }
}

void TFormOption::ChooseFolder(QLineEdit* box) {
  if (std::optional<QString> folder = dialogs_->ChooseFolder(this, U8(kFolderCaption), box->text())) {
    box->setText(QString::fromStdString(FolderWithSeparator(folder->toStdString())));
  }
}

}  // namespace pw
