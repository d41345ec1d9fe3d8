#pragma once
// The wording of every numbered message: one static table, read by ErrCode.cpp.
//
// A text is a template. Besides the fixed pieces it may hold these markers,
// which composition fills in:
//   {version}  the data-file version text (kFileVersionText)
//   {number}   `numberFormat` filled with `numbers` ("%.2f", "%.3f", "%d" only),
//              written the same in every locale
//   {detail}   the caller's detail text; with DetailRule::Optional the marker
//              stands for detailLead + detail + "\n\n", or nothing when no
//              detail is given

#include <array>
#include <span>

#include "core/base/MessagePresenter.h"

namespace brisca {

enum class DetailRule {
  None,      //!< the text takes no detail; one passed is ignored
  Required,  //!< a null or empty detail is a broken precondition
  Optional,  //!< the detail block appears only for a non-empty detail
};

//! One numbered message.
struct MessageEntry {
  MessageKind kind = MessageKind::Error;  //!< numbering space (Error, Notice or Warning)
  int code = 0;                           //!< number within its space
  const char* title = nullptr;            //!< box caption; null: the kind's fixed title
  const char* text = nullptr;             //!< template, see the markers above
  DetailRule detail = DetailRule::None;   //!< how {detail} is filled
  const char* detailLead = nullptr;       //!< line before an optional detail
  const char* numberFormat = nullptr;     //!< printf-style format for {number}
  std::array<double, 4> numbers{};        //!< values consumed in order by numberFormat
};

//! The entry for `code` in the numbering space `kind`; nullptr where this
//! program defines no such message.
const MessageEntry* FindMessageEntry(MessageKind kind, int code);

//! Every entry: errors, then notices, then warnings, each in ascending code order.
std::span<const MessageEntry> MessageTable();

}  // namespace brisca
