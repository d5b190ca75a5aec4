// The tree's image list: 20 images of 16x16 pixels, drawn once at start-up, indexed by the
// node icon numbers (root 1, character 3, character item 5, child marks 7..12, parent marks
// 14..19; the other indexes are blank).
#ifndef PLOTWEAVE_UI_COMMON_TREE_ICONS_H_
#define PLOTWEAVE_UI_COMMON_TREE_ICONS_H_

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace pw {

class TreeIcons {
 public:
  static const TreeIcons& Instance();
  // An empty icon for indexes outside the list.
  const QIcon& Icon(int index) const;
  const QPixmap& Pixmap(int index) const;
  int size() const { return static_cast<int>(pixmaps_.size()); }

 private:
  TreeIcons();
  std::vector<QPixmap> pixmaps_;
  std::vector<QIcon> icons_;
  QIcon empty_;
  QPixmap empty_pixmap_;
};

// The application icon (an open book with a mark), drawn at the given size.
QIcon ApplicationIcon();
QPixmap DrawApplicationPixmap(int size);

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_TREE_ICONS_H_
