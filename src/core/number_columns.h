// The columns of fixed-width lines that hold whole numbers, checked sixteen at a time: a line whose
// number columns hold only blanks and digits, with blanks or zeros in the leading columns a number of
// the field's kind never needs, holds no number too large to read, and each of those numbers is its
// digits read in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>


namespace zav {

class NumberColumns {
  public:
    // Marks `width` columns from `start` (from 0) as a number of at most `maxDigits` digits: the
    // leading columns beyond that many are to be blanks or zeros.
    void Mark(std::size_t start, std::size_t width, std::size_t maxDigits);
    void Clear();
    bool Empty() const { return end_ == 0; }
    // True when every marked column of `line` is plain as above (columns past its end are).
    bool Plain(std::string_view line) const;

  private:
    // Per column, 0x80 where marked (sixteen more past the last, so sixteen can be read from any
    // column before end_): the columns of numbers, and their leading columns to be blanks or zeros.
    std::string digitColumns_, zeroColumns_;
    std::size_t from_ = SIZE_MAX, end_ = 0;  // where the marked columns begin and end
    // The blocks of sixteen columns from from_ on that hold a marked one (their first columns): the
    // others need no look.
    std::vector<std::size_t> blocks_;
};

// The number a text of blanks and digits reads (its digits in order, blanks skipped), as plain columns
// hold; at most 19 digits after its leading zeros. (One digit at a time: the usual field has a few.)
inline std::uint64_t PlainDigitsValue(std::string_view text) {
    std::uint64_t n = 0;
    for (const char c : text)
        if (c != ' ') n = n * 10 + static_cast<unsigned>(c - '0');
    return n;
}

}  // namespace zav
