// Reading a setting's or a device reply's text as a number: optional blanks
// around it, an optional sign, digits with an optional decimal point and an
// optional exponent. Anything else is not a number.
#pragma once
#include <cstdint>
#include <string>

// The value of text that is exactly a decimal number (sign, digits, point,
// exponent; no blanks); false for any other text. An exponent too large
// gives an infinite value.
bool readDecimal(const std::string& text, double& value);

// The text's value; false when the text is not a number or its value is not finite.
bool readNumber(const std::string& text, double& value);

// The text's value rounded down (floor) as a 16-bit integer; false when the
// text is not a number or the rounded value does not fit.
bool readFloor16(const std::string& text, int16_t& value);
