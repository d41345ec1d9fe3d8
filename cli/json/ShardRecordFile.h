#pragma once
// Reading and writing the shard records (core/iterator/ShardFile.h) as JSON
// files. Scores are hexadecimal float texts, so they read back bit for bit.

#include <filesystem>
#include <string>

#include "core/iterator/ShardFile.h"

namespace brisca {

//! Writes atomically (a temporary file renamed over `path`). False with `error`.
bool WriteShardRecord(const std::filesystem::path& path, const ShardRecord& record,
                      std::string& error);
//! False with `error` saying what is wrong when the file cannot be read (read
//! as every data file is: a regular file only, at most kMaxShardRecordBytes)
//! or is not a well-formed record.
bool ReadShardRecord(const std::filesystem::path& path, ShardRecord& record, std::string& error);

//! The record as the text of its file.
std::string ShardRecordText(const ShardRecord& record);
//! Reads a record from the text of its file. False with `error`.
bool ParseShardRecord(const std::string& text, ShardRecord& record, std::string& error);

}  // namespace brisca
