#include "ui/keyword_tree_combo.h"

#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>

#include "search/keywords.h"

namespace vemora::ui {

namespace {
constexpr const char* kTreeDescription =
    "Es kann ein vordefinierter Suchbegriff ausgewählt werden.";
}

KeywordTreeCombo::KeywordTreeCombo(QWidget* parent) : QComboBox(parent) {
  setObjectName("dxBarTreeViewCombo1");
  setToolTip(QStringLiteral("Suchbegriff "));
  setStatusTip(QString::fromUtf8(kTreeDescription));
  setMinimumContentsLength(16);
  model_ = new QStandardItemModel(this);
  const QIcon groupIcon = style()->standardIcon(QStyle::SP_DirIcon);
  const QIcon keywordIcon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const KeywordGroup& group : PredefinedKeywords()) {
    auto* groupItem = new QStandardItem(groupIcon, QString::fromStdString(group.name));
    for (const std::string& keyword : group.keywords) {
      groupItem->appendRow(new QStandardItem(keywordIcon, QString::fromStdString(keyword)));
    }
    model_->appendRow(groupItem);
  }
  tree_ = new QTreeView(this);
  tree_->setHeaderHidden(true);
  tree_->setItemsExpandable(true);
  setModel(model_);
  setView(tree_);
  setCurrentIndex(-1);
  connect(tree_, &QTreeView::clicked, this, &KeywordTreeCombo::ChooseIndex);
}

void KeywordTreeCombo::showPopup() {
  // The combo box shows only its root's rows: open the whole tree.
  setRootModelIndex({});
  tree_->expandAll();
  QComboBox::showPopup();
}

void KeywordTreeCombo::ChooseIndex(const QModelIndex& index) {
  if (!index.isValid()) return;
  // A combo box can only show a row of its current root: make the node's parent the root.
  setRootModelIndex(index.parent());
  setCurrentIndex(index.row());
  chosen_ = index.data().toString();
  hidePopup();
  emit KeywordChosen(chosen_);
}

void KeywordTreeCombo::Choose(int group, int keyword) {
  const QModelIndex groupIndex = model_->index(group, 0);
  ChooseIndex(keyword < 0 ? groupIndex : model_->index(keyword, 0, groupIndex));
}

std::string KeywordTreeCombo::ChosenKeyword() const { return chosen_.toStdString(); }

// One tree per place it is shown (toolbar and menu); all report to the same actions.
class KeywordActions::TreeAction : public QWidgetAction {
 public:
  explicit TreeAction(KeywordActions& owner) : QWidgetAction(&owner), owner_(owner) {
    setText(QStringLiteral("Suchbegriff "));
    setToolTip(QStringLiteral("Suchbegriff "));
    setStatusTip(QString::fromUtf8(kTreeDescription));
  }

 protected:
  QWidget* createWidget(QWidget* parent) override {
    auto* combo = new KeywordTreeCombo(parent);
    combo->setEnabled(isEnabled());
    connect(combo, &KeywordTreeCombo::KeywordChosen, &owner_,
            [this](const QString& keyword) { owner_.chosen_ = keyword.toStdString(); });
    return combo;
  }

 private:
  KeywordActions& owner_;
};

KeywordActions::KeywordActions(QObject* parent) : QObject(parent) {
  treeAction_ = new TreeAction(*this);
  treeAction_->setObjectName("dxBarTreeViewCombo1");
  add_ = new QAction(QStringLiteral("Auswahl hinzufügen"), this);
  add_->setObjectName("dxBarButton19");
  add_->setShortcut(QKeySequence(QStringLiteral("Ctrl+B")));
  add_->setStatusTip(
      QStringLiteral("Der Suchbegriff des aktuellen Bildes wird mit dem Ausgewählten erweitert."));
  add_->setToolTip(add_->statusTip());
  replace_ = new QAction(QStringLiteral("durch Auswahl ersetzen"), this);
  replace_->setObjectName("dxBarButton18");
  replace_->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
  replace_->setStatusTip(
      QStringLiteral("Der Suchbegriff des aktuellen Bildes wird durch den ausgewählten ersetzt."));
  replace_->setToolTip(replace_->statusTip());
}

void KeywordActions::SetEnabled(bool enabled) {
  for (QAction* action : {static_cast<QAction*>(treeAction_), add_, replace_}) {
    action->setEnabled(enabled);
  }
}

}  // namespace vemora::ui
