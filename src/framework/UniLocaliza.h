#pragma once

#include "framework/KeyHook.h"
#include "framework/RegisterServices.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Table;

// The grid column a locate works on: a plain field of the table, a lookup
// (the shown value lives in another table, reached by key), or a calculated
// column shown from an origin field.
struct LocateColumn
{
    enum class Kind { Data, Lookup, Calculated };
    Kind kind = Kind::Data;
    QString field;
    // Lookup: the other table, its field shown in the grid and its key
    // fields, and the table's own fields holding that key.
    Table *lookupTable = nullptr;
    QString lookupResultField;
    QString lookupKeyFields;
    QString keyFields;
    // Calculated: the field the column is computed from.
    QString originField;
};

// "Localizar": moves the grid's table, letter by letter, to the first record
// whose value in the grid's column begins with what is typed.
class TForLocaliza : public QDialog
{
    Q_OBJECT
public:
    TForLocaliza(const QString &caption, const LocateColumn &column, Table &table, QWidget *parent = nullptr);
    ~TForLocaliza() override;

    // One step of the search; false (the table not moved) when nothing
    // matches or the text cannot be compared with the field.
    static bool locateText(Table &table, const LocateColumn &column, const QString &text);

    QLineEdit *searchBox() const { return edit_; }
    QPushButton *exitButton() const { return exit_; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    bool filterKey(QKeyEvent *event);

    LocateColumn column_;
    Table &table_;
    QLabel *caption_;
    QLineEdit *edit_;
    QPushButton *exit_;
    KeyHookHold hook_;
};

// The locate window as the registers reach it (Seam<LocateWindow>).
class LocalizaService : public LocateWindow
{
public:
    void locate(const QString &field, Table &table, const QString &caption) override;
};
