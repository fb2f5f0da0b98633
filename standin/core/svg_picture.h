// A picture of the document's pages: the visible staves of every system and every divider.
//
// The host's records carry no page size, so the picture assumes one: every page is 11 by 17 inches
// portrait, 3168 by 4896 ORVU (288 ORVU an inch), with margins of 144 ORVU (half an inch) on all
// four sides. Vertical positions count from the top margin (0) upward, as the host's do: a page's
// first system's spaceAbove is measured from there. Horizontal positions count from the left
// margin, or from the right margin for assignments whose originFlags are 0x14.
//
// Staves: a staff of n lines (five when lineMode is nonzero) is drawn as n lines 24 ORVU apart from
// its position down, so its height of n * 24 reaches one space below its bottom line; staff and
// system scaling shrink the spacing. A divider (an assignment whose definition's text block is a
// divider text) is drawn as two parallel slanted strokes one em high, an em being 4 ORVU per point
// of the size in its text, centred vertically on its placed point and starting at it horizontally.
// Any other assignment is a small circle. All coordinates are whole tenths of an ORVU, so the
// same document always gives the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include "record_store.h"

namespace standin {

constexpr int kPictureColumns = 4;
constexpr int64_t kPictureInchOrvu = 288;
constexpr int64_t kPicturePageWidth = 11 * kPictureInchOrvu;
constexpr int64_t kPicturePageHeight = 17 * kPictureInchOrvu;
constexpr int64_t kPictureMargin = kPictureInchOrvu / 2;

std::string renderPagesSvg(const RecordStore &store);

} // namespace standin
