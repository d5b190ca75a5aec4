// The help pages and the about box.
#include "ui/window/help_commands.h"

#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "ui/common/action_registry.h"
#include "ui/common/qt_text.h"
#include "ui/common/tree_icons.h"
#include "ui/common/window_context.h"

namespace pw {

void HelpCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuHelpContents", this, &HelpCommands::MenuHelpContentsClick);
  actions.Bind("MenuHelpAbout", this, &HelpCommands::MenuHelpAboutClick);
}

void HelpCommands::MenuHelpContentsClick() {
  static QPointer<QDialog> help;
  if (help == nullptr) {
    help = new QDialog(window_.dialog_parent());
    help->setObjectName("FormHelp");
    help->setWindowTitle(U8("Plotweave ﾍﾙﾌﾟ"));
    help->resize(640, 520);
    auto* layout = new QVBoxLayout(help);
    auto* browser = new QTextBrowser(help);
    browser->setObjectName("HelpBrowser");
    browser->setOpenExternalLinks(true);
    const QString page = QString::fromStdString(DataDir()) + QStringLiteral("/help/index.html");
    browser->setSource(QUrl::fromLocalFile(page));
    layout->addWidget(browser);
    auto* close = new QPushButton(U8("閉じる"), help);
    connect(close, &QPushButton::clicked, help, &QDialog::hide);
    layout->addWidget(close, 0, Qt::AlignRight);
  }
  help->show();
  help->raise();
}

void HelpCommands::MenuHelpAboutClick() {
  QDialog about(window_.dialog_parent());
  about.setObjectName("FormAbout");
  about.setWindowTitle(U8("ﾊﾞｰｼﾞｮﾝ情報"));
  auto* layout = new QVBoxLayout(&about);
  auto* icon = new QLabel(&about);
  icon->setPixmap(DrawApplicationPixmap(64));
  icon->setAlignment(Qt::AlignCenter);
  layout->addWidget(icon);
  auto* product = new QLabel(U8("Plotweave"), &about);
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  product->setFont(big);
  product->setAlignment(Qt::AlignCenter);
  layout->addWidget(product);
  auto* version = new QLabel(&about);
  version->setObjectName("LabelVersion");
  version->setText(U8("Version 3.21"));
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(version);
  auto* author = new QLabel(U8("作者: Plotweave 開発チーム"), &about);
  author->setAlignment(Qt::AlignCenter);
  layout->addWidget(author);
  auto* contact = new QLabel(U8("ご意見・不具合の報告はウェブページからどうぞ"), &about);
  contact->setAlignment(Qt::AlignCenter);
  layout->addWidget(contact);
  const QString address = QStringLiteral("https://plotweave.example.org/");
  auto* web = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address), &about);
  web->setObjectName("LabelWeb");
  web->setAlignment(Qt::AlignCenter);
  web->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(web, &QLabel::linkActivated, &about,
          [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
  layout->addWidget(web);
  auto* ok = new QPushButton(QStringLiteral("OK"), &about);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  about.exec();
}

}  // namespace pw
