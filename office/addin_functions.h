// What the Function Wizard shows of each Calc function: its name, what it does, its arguments.
#pragma once

#include <array>
#include <string_view>

namespace office {

struct AddInArgument {
    std::u16string_view name;
    std::u16string_view description;
};

struct AddInFunction {
    std::u16string_view method;      // the method of XCode93Functions
    std::u16string_view displayName; // what the user types, the same in every language
    std::u16string_view description;
    std::array<AddInArgument, 2> arguments;
    int argumentCount;
};

inline constexpr std::array<AddInFunction, 3> AddInFunctions = {{
    {u"code93",
     u"CODE93",
     u"Returns the Code 93 barcode string of the data: start, the data with Full ASCII pairs, "
     u"the check characters C and K, stop. Set the result in one of the Sample 93 typefaces to "
     u"draw the barcode.",
     {{{u"Data", u"The text or number to encode. A number is taken as Calc shows it in a General "
                 u"cell; an empty cell gives an empty text."}}},
     1},
    {u"code93Sums",
     u"CODE93SUMS",
     u"Returns the Code 93 barcode string of the data followed by its sums: CSum, Ksum, CCheck "
     u"and KCheck.",
     {{{u"Data", u"The text or number to encode."}}},
     1},
    {u"code93Font",
     u"CODE93FONT",
     u"Returns the name of the Sample 93 typeface of a style and size, such as \"Sample 93 d HR\".",
     {{{u"Style",
        u"\"hr\" for Human Readable (the data under the bars) or \"standard\" (bars only)."},
       {u"Size", u"The size letter, from \"a\" (widest bars) to \"f\" (narrowest)."}}},
     2},
}};

// The function of a method name; nullptr for any other name.
inline const AddInFunction* FindAddInFunction(std::u16string_view method) {
    for (const AddInFunction& function : AddInFunctions) {
        if (function.method == method) {
            return &function;
        }
    }
    return nullptr;
}

} // namespace office
