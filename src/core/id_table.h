#pragma once
// A fixed table addressed by integer ids from First to Last. Ids come from the save file and the
// menus, so lookups check the range: at() answers an empty record for an id outside the table,
// has() tells whether an id is inside it, and edit() refuses an id outside it.
#include <array>
#include <cstddef>

namespace zen {

template <class T, int First, int Last>
class IdTable {
public:
    static constexpr int kFirstId = First;
    static constexpr int kLastId = Last;
    static constexpr std::size_t kSize = static_cast<std::size_t>(Last) - static_cast<std::size_t>(First) + 1;

    static constexpr bool has(int id) { return id >= First && id <= Last; }

    // The record of id; an empty record for an id outside the table.
    const T& at(int id) const
    {
        static const T empty{};
        return has(id) ? rows_[index(id)] : empty;
    }

    // The writable record of id; null for an id outside the table, which is never written.
    T* edit(int id) { return has(id) ? &rows_[index(id)] : nullptr; }

    void reset() { rows_.fill(T{}); }

private:
    static constexpr std::size_t index(int id) { return static_cast<std::size_t>(id - First); }

    std::array<T, kSize> rows_{};
};

// True when every row of a constant table names an id inside Table: the content tables check their
// rows with it when the game is compiled.
template <class Table, class Rows>
constexpr bool ids_inside(const Rows& rows)
{
    for (const auto& row : rows)
        if (!Table::has(row.id)) return false;
    return true;
}

} // namespace zen
