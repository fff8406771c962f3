#pragma once

#include <cstdint>
#include <string>

// Basic types of the run-time library. Text is a UTF-8 byte string; positions in
// the string routines count bytes from 1.
using String = std::string;

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Integer = std::int32_t;
using Int64 = std::int64_t;
using LongInt = std::int32_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Extended = long double;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;
