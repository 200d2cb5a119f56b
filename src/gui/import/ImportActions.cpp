#include "gui/import/ImportActions.h"

#include "gui/catalogue/CatalogueTreeModel.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/TCMForm.h"
#include "core/app/AppState.h"
#include "gui/import/TImportForm.h"

#include <QAction>
#include <QTreeView>

namespace qs::gui {

ImportActions::ImportActions(TCMForm& form, qs::AppState& app, qs::UserInterface* ui)
    : QObject(&form), form_(form), app_(app), importForm_(new TImportForm(app, ui, &form))
{
    connect(form_.actions().importData, &QAction::triggered, this, &ImportActions::importData);
    connect(importForm_, &TImportForm::helpRequested, &form_.helpViewer(),
            [this] { form_.helpViewer().showFile(QStringLiteral("import.html")); });
}

void ImportActions::importData()
{
    form_.runCommand([this] {
        qs::TNewCategory* selected = form_.selectedNode();
        qs::TNewCategory& into = selected ? *selected : app_.catalogue.root();
        if (!importForm_->loadTable())
            return;
        importForm_->execute(into);
        form_.selectNode(into);
        form_.CatalogueTree->expand(form_.treeModel()->indexOf(into));
    });
}

} // namespace qs::gui
