// The date dialog: every date format applied to the present moment, one per line; the chosen
// line is what the date command inserts.
#ifndef PLOTWEAVE_UI_STYLING_TFORM_DAY_H_
#define PLOTWEAVE_UI_STYLING_TFORM_DAY_H_

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "styling/date_format.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace pw {

class TFormDay : public QDialog {
  Q_OBJECT

 public:
  using Clock = std::function<styling::DateTime()>;
  // Reads the format list from `format_file` once (the built-in list when the file is missing
  // or unreadable). `clock` gives the moment each line shows.
  explicit TFormDay(const std::string& format_file, QWidget* parent = nullptr,
                    Clock clock = styling::CurrentDateTime);

  // Fills the list, shows the dialog and returns the chosen line's text, or nothing.
  std::optional<QString> Choose();

  const std::vector<std::string>& formats() const { return formats_; }
  void SetClock(Clock clock) { clock_ = std::move(clock); }
  int chosen_index() const { return chosen_index_; }
  // Fills the list as Choose shows it (tests look at it without running the dialog).
  void FillList();

  QListWidget* ListBoxFormat = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;

 private:
  void ButtonOKClick();

  std::vector<std::string> formats_;
  Clock clock_;
  int chosen_index_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_STYLING_TFORM_DAY_H_
