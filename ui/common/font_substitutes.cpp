// Substitutes for the usual Japanese font names, best match first.
#include "ui/common/font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace pw {

void InstallFontSubstitutes() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const QStringList sans = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                            QStringLiteral("VL PGothic"), QStringLiteral("Droid Sans Fallback")};
  const QStringList mono = {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic"),
                            QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans CJK JP")};
  const QStringList serif = {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAPMincho"),
                             QStringLiteral("Noto Sans CJK JP")};
  const QStringList serif_mono = {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAMincho"),
                                  QStringLiteral("Noto Sans Mono CJK JP")};
  for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic", "メイリオ", "Meiryo",
                           "Meiryo UI", "游ゴシック", "Yu Gothic"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), sans);
  }
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic", "ＭＳゴシック"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), mono);
  }
  for (const char* name : {"ＭＳ Ｐ明朝", "MS PMincho", "游明朝", "Yu Mincho"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), serif);
  }
  for (const char* name : {"ＭＳ 明朝", "MS Mincho", "ＭＳ明朝"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), serif_mono);
  }
}

}  // namespace pw
