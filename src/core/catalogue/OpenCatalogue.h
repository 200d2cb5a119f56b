#pragma once

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/history/UndoHistory.h"

namespace qs {

// The open shop's catalogue with its undo history, which tells whether the
// catalogue has changed since it was last saved.
struct OpenCatalogue {
    Catalogue catalogue;
    UndoHistory history{catalogue};

    // Every change of the catalogue goes through here, as a step of the history.
    CatalogueChanges changes() { return CatalogueChanges(catalogue, history); }
};

} // namespace qs
