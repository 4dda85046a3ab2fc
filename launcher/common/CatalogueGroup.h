// One group of work on the catalogue database: the SQLite library started
// from AppDir and DbFileName opened for the life of the object, then closed
// and the library shut down again. Statements of the group finalise
// themselves before the group ends.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

class CatalogueGroup {
public:
    CatalogueGroup();
    ~CatalogueGroup();
    CatalogueGroup(const CatalogueGroup&) = delete;
    CatalogueGroup& operator=(const CatalogueGroup&) = delete;

    // False when sqlite3.dll could not be loaded and started.
    bool Started() const { return started_; }
    // False when the library did not start or the database did not open:
    // the group's statements are then skipped.
    bool Open() const { return open_; }
    intptr_t Db() const { return db_; }
    // Executes a statement that returns no rows; the SQLite result code.
    int32_t Exec(const std::wstring& sql);
    // Executes the statements in one transaction: all of them or, when one
    // fails, none. True when all were committed.
    bool ExecAll(std::initializer_list<std::wstring> statements);

private:
    bool started_ = false;
    bool open_ = false;
    intptr_t db_ = 0;
};

// A prepared statement of an open group, finalised with the object.
class CatalogueQuery {
public:
    CatalogueQuery(const CatalogueGroup& group, const std::wstring& sql);
    ~CatalogueQuery();
    CatalogueQuery(const CatalogueQuery&) = delete;
    CatalogueQuery& operator=(const CatalogueQuery&) = delete;

    bool Prepared() const { return prepared_; }
    // True while a row is ready.
    bool Step();
    // True once the rows were read to their end without an error.
    bool Finished() const;
    std::wstring Text(int32_t col) const;
    // The same into `text`, reusing its storage row after row.
    void Text(int32_t col, std::wstring& text) const;
    int32_t Int(int32_t col) const;

private:
    bool prepared_ = false;
    intptr_t stmt_ = 0;
    int32_t lastStep_ = 0;
};
