#include "jet/write/row_encoder.h"

#include <algorithm>
#include <cstring>

#include "jet/format/decode_row.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace data;  // NOLINT(google-build-using-namespace)
namespace {

size_t NullMaskSize(const TableLayout& layout) {
  return (layout.columns.size() + 7) / 8;
}

void PutNullMask(const TableLayout& layout, const Cell* cells, uint8_t* mask) {
  std::memset(mask, 0, NullMaskSize(layout));
  for (size_t i = 0; i < layout.columns.size(); ++i) {
    if (!cells[i].null) {
      const uint16_t bit = layout.columns[i].number;
      mask[bit / 8] = static_cast<uint8_t>(mask[bit / 8] | (1u << (bit % 8)));
    }
  }
}

// Count, fixed columns and variable data; fills offsets[0..var_count] with
// where each variable column starts, and offsets[var_count] with eod.
void PutColumns(const Format& format, const TableLayout& layout, const Cell* cells,
                std::vector<uint8_t>* out, std::vector<size_t>* offsets) {
  out->clear();
  out->resize(format.data.row_column_count_size + layout.fixed_size, 0);
  if (format.data.row_column_count_size == 1) {
    (*out)[0] = static_cast<uint8_t>(layout.columns.size());
  } else {
    PutLe16(out->data(), static_cast<uint16_t>(layout.columns.size()));
  }
  offsets->assign(layout.var_count + 1, 0);
  for (size_t i = 0; i < layout.columns.size(); ++i) {
    const Column& column = layout.columns[i];
    if (!column.fixed || cells[i].null || column.type == ColumnType::kBoolean) continue;
    std::memcpy(out->data() + format.data.row_column_count_size + column.fixed_offset, cells[i].data,
                column.length);
  }
  for (size_t i = 0; i < layout.columns.size(); ++i) {
    const Column& column = layout.columns[i];
    if (column.fixed) continue;
    (*offsets)[column.var_index] = out->size();
    if (!cells[i].null) out->insert(out->end(), cells[i].data, cells[i].data + cells[i].size);
  }
  (*offsets)[layout.var_count] = out->size();
}

// Jet 4 stores every variable-column offset whole, in the format's offset
// width (two bytes, little-endian): end of data, offsets last to first, count.
void EncodeJet4Trailer(const Format& format, const TableLayout& layout,
                       const std::vector<size_t>& offsets, std::vector<uint8_t>* out) {
  const size_t width = format.data.row_var_offset_size;
  const size_t n = layout.var_count;
  size_t pos = out->size();
  out->resize(pos + width * (n + 2));
  PutLe16(out->data() + pos, static_cast<uint16_t>(offsets[n]));  // eod
  pos += width;
  for (size_t i = n; i-- > 0;) {
    PutLe16(out->data() + pos, static_cast<uint16_t>(offsets[i]));
    pos += width;
  }
  PutLe16(out->data() + pos, static_cast<uint16_t>(n));
}

bool EncodeJet3Trailer(const TableLayout& layout, const std::vector<size_t>& offsets,
                       std::vector<uint8_t>* out, std::string* problem) {
  const size_t n = layout.var_count;
  const size_t eod = offsets[n];
  out->push_back(static_cast<uint8_t>(eod & 0xFF));
  for (size_t i = n; i-- > 0;) out->push_back(static_cast<uint8_t>(offsets[i] & 0xFF));

  std::vector<uint8_t> jumps;  // jumps[k]: first entry at or past (k + 1) * 256
  for (size_t i = 0; i <= n; ++i) {
    while (offsets[i] >= (jumps.size() + 1) * kJumpSpan) jumps.push_back(static_cast<uint8_t>(i));
  }
  const size_t mask_size = NullMaskSize(layout);
  const size_t length = out->size() + jumps.size() + 1 + mask_size;
  if ((length - 1) / kJumpSpan > jumps.size()) out->push_back(kJumpFiller);
  for (size_t k = jumps.size(); k-- > 0;) out->push_back(jumps[k]);
  out->push_back(static_cast<uint8_t>(n));
  out->resize(out->size() + mask_size);
  // Read back as the reader reads it, to prove the jump table.
  thread_local std::vector<uint32_t> read_back;
  if (!format::DecodeJet3VarOffsets(*out, static_cast<uint32_t>(mask_size), read_back) ||
      !std::equal(read_back.begin(), read_back.end(), offsets.begin(),
                  offsets.begin() + static_cast<ptrdiff_t>(n + 1))) {
    *problem = "has a layout a Jet 3 row cannot express (" + std::to_string(out->size()) +
               " bytes over " + std::to_string(n) + " variable columns)";
    return false;
  }
  return true;
}

}  // namespace

bool EncodeRow(const Format& format, const TableLayout& layout, const Cell* cells,
               std::vector<uint8_t>* out, std::string* problem) {
  thread_local std::vector<size_t> offsets;
  PutColumns(format, layout, cells, out, &offsets);
  if (layout.var_count > 0) {
    if (format.data.row_var_offset_size == 2) {
      EncodeJet4Trailer(format, layout, offsets, out);
    } else if (!EncodeJet3Trailer(layout, offsets, out, problem)) {
      return false;
    }
  }
  const size_t mask_size = NullMaskSize(layout);
  if (format.data.row_var_offset_size == 2 || layout.var_count == 0) {
    out->resize(out->size() + mask_size);
  }
  PutNullMask(layout, cells, out->data() + out->size() - mask_size);
  if (out->size() > format.data.max_row_size) {
    *problem = "is " + std::to_string(out->size()) + " bytes long; a row holds at most " +
               std::to_string(format.data.max_row_size);
    return false;
  }
  return true;
}

}  // namespace vorelka::jet::writer
