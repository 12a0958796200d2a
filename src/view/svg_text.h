// Text from the files (contestants' lines, the report's message) put into the picture. Every
// byte outside printable ASCII is shown as \xHH and the XML specials as entities, so that the
// picture is well-formed XML 1.0 whatever the bytes (NUL, control bytes, broken UTF-8); a text
// longer than its room is cut and ends in an ellipsis.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The ellipsis that ends a cut text, as a character reference.
inline constexpr std::string_view kCutMarker = "&#8230;";

// At most `room` characters of escaped text, then the marker when `text` did not fit or
// `cutBefore` says the text had already been cut.
std::string EscapeForSvg(std::string_view text, std::size_t room, bool cutBefore = false);

// Escaped rows of at most `columns` shown characters each, at most `rows` of them; the last
// ends in the marker when the text did not fit.
std::vector<std::string> WrapForSvg(std::string_view text, std::size_t columns, std::size_t rows);

// A number with at most three decimals, without trailing zeros.
std::string Decimal(double value);
