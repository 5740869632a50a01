#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The rows a command-line run takes, as the operator writes them after --rows: numbers and
// ranges separated by commas ("1-20,25"), counting from 1 in the order `kartello rows` prints
// them; an open range ("100-") runs to the last row. No selection at all takes every row.
class RowSelection
{
public:
    // Every row.
    RowSelection() = default;

    // The selection written as text, or nothing when the text is not one: empty parts, 0,
    // a range whose end lies before its start, anything but digits, '-' and ','.
    static std::optional<RowSelection> parse(const QString &text);

    // Takes other's rows as well (a second --rows adds to the first).
    void add(const RowSelection &other);

    bool takesEveryRow() const { return m_ranges.empty(); }
    // row counts from 1.
    bool contains(int row) const;

private:
    // Inclusive ranges; the end of an open range is the largest int.
    std::vector<std::pair<int, int>> m_ranges;
};
