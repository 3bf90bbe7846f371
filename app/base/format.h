#pragma once
#include <string>

// printf formatting through a 5,120-byte work buffer: the output holds at most
// 5,119 characters and replaces the text of out.
std::string& FormatString(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The same, returned by value.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// AppendFormat: formats into a 5,120-byte buffer and appends to text.
std::string& AppendFormat(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

constexpr int kFormatBufferSize = 5120;
