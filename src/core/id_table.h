#pragma once
// A fixed table addressed by integer ids from First to Last. Ids come from the save file and the
// menus, so lookups check the range: at() answers an empty record for an id outside the table,
// and has() tells whether an id is inside it.
#include <array>
#include <cstddef>

namespace zen {

template <class T, int First, int Last>
class IdTable {
public:
    static constexpr int first_id = First;
    static constexpr int last_id = Last;
    static constexpr std::size_t size = static_cast<std::size_t>(Last - First + 1);

    static constexpr bool has(int id) { return id >= First && id <= Last; }

    // The record of id; an empty record for an id outside the table.
    const T& at(int id) const
    {
        static const T empty{};
        return has(id) ? rows_[static_cast<std::size_t>(id - First)] : empty;
    }

    // Writable record of id; id must be inside the table (writers use fixed ids).
    T& edit(int id) { return rows_[static_cast<std::size_t>(has(id) ? id - First : 0)]; }

    void reset() { rows_.fill(T{}); }

private:
    std::array<T, size> rows_{};
};

} // namespace zen
