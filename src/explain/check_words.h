// The words of every check: the template of its Slovene message as the report writes it, the
// same line in English, and how to fix such a failure in general. This table is the one place
// that says them; docs/checks.md lists the same words and a test holds the two together.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

// In a template, {name} stands for a value: the same names in the Slovene and the English.
struct CheckWords {
  int check;
  std::string_view slovene;
  std::string_view english;
  std::string_view fix;
};

std::span<const CheckWords> AllCheckWords();
// The words of check `number`; null for a number that is no check.
const CheckWords* FindCheckWords(int number);

// The values of a message built from `pattern`, by their names; empty when the message does not
// follow it. A message cut short (a zero byte in a quoted line ends it) lacks the end of its
// template: then the last value takes the rest of it.
std::map<std::string, std::string, std::less<>> TemplateValues(std::string_view pattern,
                                                               std::string_view message);

// `pattern` with each {name} given its value, printable and at most kLineRoom characters; a
// name without a value stays as it is.
std::string FillTemplate(std::string_view pattern,
                         const std::map<std::string, std::string, std::less<>>& values);
