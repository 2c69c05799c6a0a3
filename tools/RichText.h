// A plain text as a Rich Text Format document, for the results panel file.
#pragma once

#include <string>

// text in UTF-8, lines separated by '\n'. Characters outside ASCII are
// written as \uN escapes, so any reader shows them whatever its code page.
std::string RichTextDocument(const std::string& text, const std::string& fontName = "Arial",
                             int pointSize = 8);
