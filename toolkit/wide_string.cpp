#include "wide_string.h"

#include "text_conversion.h"

void DynamicWideString::AppendNarrow(std::string_view narrow) {
    text_.append(WidenAnsi(narrow));
}
