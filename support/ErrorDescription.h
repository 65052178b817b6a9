#pragma once
// How a failure is told to the user, the same in the window and in xgtool. An error about a file
// names the file and the place first:
//   "FILE:LINE: TEXT"          a text reader that knows the line (PO, XLIFF, TMX)
//   "FILE: TEXT (at byte N)"   a binary read that failed at byte N
//   "FILE: TEXT"               anything else about the file (opening it, its size)
// followed by "FILE: NOTE" when more is known of the cause; an error that concerns no file is its
// text alone.
#include <exception>
#include <string>
#include <vector>

#include "support/JD_Error.h"

// The lines for `text` and its context (nullptr or a context without a file: the text alone).
std::vector<std::string> DescribeError(const std::string& text, const TFileErrorContext* context);
// The lines for what() and the context the error carries.
std::vector<std::string> DescribeError(const std::exception& error);
// The same lines joined by '\n', for a list that holds one text per problem.
std::string DescribeErrorText(const std::exception& error);
