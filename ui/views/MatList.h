#pragma once

#include <QListWidget>

namespace tallix {

class MatCatalog;

// The matrix list `MatsLB`: one card per catalog line, drawn from the catalog
// by row (name, the created and updated dates, the dimensions and the cells
// in brackets), each as tall as its matrix needs. The list holds one
// placeholder item per line.
class MatList : public QListWidget {
    Q_OBJECT
public:
    MatList(const MatCatalog& catalog, QWidget* parent);
    // Makes one row per catalog line again and selects `row` (-1: none).
    void rebuild(int row);
    const MatCatalog& catalog() const { return catalog_; }
    // The height of catalog line `row`'s card.
    int cardHeight(int row) const;

private:
    const MatCatalog& catalog_;
};

} // namespace tallix
