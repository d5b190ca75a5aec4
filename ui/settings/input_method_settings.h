// The input-method settings of the editing panes, as far as Qt lets a program have them on
// Linux: asking for the input method when a pane first gets the focus, and the colours of the
// text being composed in the body pane, put into the formats the input method sends.
#ifndef PLOTWEAVE_UI_SETTINGS_INPUT_METHOD_SETTINGS_H_
#define PLOTWEAVE_UI_SETTINGS_INPUT_METHOD_SETTINGS_H_

#include <QObject>
#include <QSet>
#include <cstdint>

class QWidget;

namespace pw {

class InputMethodSettings : public QObject {
  Q_OBJECT

 public:
  InputMethodSettings(QWidget* title, QWidget* body, QObject* parent);

  // `enable`: ask for the input method when each pane first gets the focus.
  void Apply(bool enable, int32_t converting_text, int32_t converting_back, int32_t typing_text);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* title_;
  QWidget* body_;
  bool enable_ = false;
  QSet<QObject*> opened_;  // panes that had their first focus
  int32_t converting_text_ = 0;
  int32_t converting_back_ = 0;
  int32_t typing_text_ = 0;
  bool resending_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SETTINGS_INPUT_METHOD_SETTINGS_H_
