// dxBarTreeViewCombo1, "Suchbegriff ": a drop-down that shows the predefined keywords as a
// tree of groups. A click on any node, a group included, chooses its text. Nothing is
// chosen at first.
//
// KeywordActions bundles what the toolbar "Suchbegriffe" and the menu of the same name
// hold: the tree (as a widget action) and the two commands with their texts and shortcuts.
// The window's keywords group connects the commands and enables all three with the other
// record commands.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QWidgetAction>
#include <string>

class QStandardItemModel;
class QTreeView;

namespace vemora::ui {

class KeywordTreeCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit KeywordTreeCombo(QWidget* parent = nullptr);

  // The chosen node's text; empty while nothing is chosen.
  std::string ChosenKeyword() const;
  // Chooses the node at `group` (and `keyword` within it, or the group itself for -1).
  void Choose(int group, int keyword = -1);

  void showPopup() override;

 signals:
  void KeywordChosen(const QString& keyword);

 private:
  void ChooseIndex(const QModelIndex& index);

  QStandardItemModel* model_;
  QTreeView* tree_;
  QString chosen_;
};

class KeywordActions : public QObject {
  Q_OBJECT

 public:
  explicit KeywordActions(QObject* parent);

  QWidgetAction* treeAction() const { return treeAction_; }
  QAction* addAction() const { return add_; }          // dxBarButton19, Ctrl+B
  QAction* replaceAction() const { return replace_; }  // dxBarButton18, Ctrl+N
  // The keyword chosen in the tree of the toolbar or the menu, whichever was used last.
  std::string ChosenKeyword() const { return chosen_; }
  void SetEnabled(bool enabled);

 private:
  class TreeAction;
  QWidgetAction* treeAction_;
  QAction* add_;
  QAction* replace_;
  std::string chosen_;
};

}  // namespace vemora::ui
