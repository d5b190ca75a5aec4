// Input-method colours and opening. The platform's input method (IBus, Fcitx) decides how the
// composed text looks and sends it as formats with the pre-edit text; the body pane's events
// are re-sent with the user's colours instead: the clause being converted (the part the input
// method highlights) in IMEText on IMEBack, the rest of the typed string in IMEInput, with no
// composition underlines.
#include "ui/settings/input_method_settings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <QWidget>

#include "ui/common/font_setting_qt.h"

namespace pw {

InputMethodSettings::InputMethodSettings(QWidget* title, QWidget* body, QObject* parent)
    : QObject(parent), title_(title), body_(body) {
  title_->installEventFilter(this);
  body_->installEventFilter(this);
}

void InputMethodSettings::Apply(bool enable, int32_t converting_text, int32_t converting_back,
                                int32_t typing_text) {
  enable_ = enable;
  converting_text_ = converting_text;
  converting_back_ = converting_back;
  typing_text_ = typing_text;
}

bool InputMethodSettings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && enable_ && !opened_.contains(watched)) {
    // Qt has no call that switches the input method's conversion on; it can only ask the
    // platform to show its input panel for the focused pane.
    opened_.insert(watched);
    static_cast<QWidget*>(watched)->setAttribute(Qt::WA_InputMethodEnabled, true);
    QGuiApplication::inputMethod()->show();
    return false;
  }
  if (event->type() != QEvent::InputMethod || watched != body_ || resending_) return false;
  auto* ime = static_cast<QInputMethodEvent*>(event);
  if (ime->preeditString().isEmpty()) return false;
  QList<QInputMethodEvent::Attribute> attributes;
  bool any_format = false;
  for (QInputMethodEvent::Attribute attribute : ime->attributes()) {
    if (attribute.type == QInputMethodEvent::TextFormat) {
      const QTextCharFormat given = attribute.value.value<QTextFormat>().toCharFormat();
      // The clause being converted is the one the input method highlights.
      const bool converting = given.hasProperty(QTextFormat::BackgroundBrush);
      QTextCharFormat format;
      format.setUnderlineStyle(QTextCharFormat::NoUnderline);
      if (converting) {
        format.setForeground(ToQColor(converting_text_));
        format.setBackground(ToQColor(converting_back_));
      } else {
        format.setForeground(ToQColor(typing_text_));
      }
      attribute.value = QVariant::fromValue<QTextFormat>(format);
      any_format = true;
    }
    attributes.append(attribute);
  }
  if (!any_format) {
    QTextCharFormat format;
    format.setForeground(ToQColor(typing_text_));
    attributes.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0,
                                                   static_cast<int>(ime->preeditString().size()),
                                                   QVariant::fromValue<QTextFormat>(format)));
  }
  QInputMethodEvent recoloured(ime->preeditString(), attributes);
  recoloured.setCommitString(ime->commitString(), ime->replacementStart(),
                             ime->replacementLength());
  resending_ = true;
  QCoreApplication::sendEvent(watched, &recoloured);
  resending_ = false;
  ime->setAccepted(recoloured.isAccepted());
  return true;
}

}  // namespace pw
