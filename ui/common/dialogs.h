// The one way the window asks questions and shows message boxes and file, font and colour
// dialogs. The window owns one; tests install a scripted one that answers and records.
#ifndef PLOTWEAVE_UI_COMMON_DIALOGS_H_
#define PLOTWEAVE_UI_COMMON_DIALOGS_H_

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace pw {

enum class DialogIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class DialogButtons { kOk, kYesNo, kYesNoCancel };
enum class DialogAnswer { kOk, kYes, kNo, kCancel };

struct FileDialogRequest {
  QString title;
  QString filter;                 // Qt form: "Caption (*.EXT *.ext)"
  QString default_suffix;         // without the dot
  QString proposed;               // full path proposed to the user
  bool must_exist = false;        // open dialogs
  bool confirm_overwrite = true;  // save dialogs
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Texts keep the program's "\r\n" line breaks; implementations show them as line breaks.
  virtual DialogAnswer Ask(QWidget* parent, const QString& caption, const QString& text,
                           DialogButtons buttons, DialogIcon icon) = 0;
  void Message(QWidget* parent, const QString& caption, const QString& text,
               DialogIcon icon = DialogIcon::kNone) {
    Ask(parent, caption, text, DialogButtons::kOk, icon);
  }
  // nullopt: the user cancelled.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
};

class QtDialogs : public Dialogs {
 public:
  DialogAnswer Ask(QWidget* parent, const QString& caption, const QString& text,
                   DialogButtons buttons, DialogIcon icon) override;
  std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_DIALOGS_H_
