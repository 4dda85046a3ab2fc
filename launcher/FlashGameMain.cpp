#include "FlashGameMain.h"

#include "RaisedError.h"

FlashGameMainWindow& FlashGameMain() {
    static FlashGameMainWindow main;
    return main;
}

Form& FlashGameMainForm() {
    if (!FlashGameMain().form) throw RaisedError(91, "FlashGame", "Object variable or With block variable not set");
    return *FlashGameMain().form;
}

void FlashGameIsResize(const std::wstring& value) {
    if (FlashGameMain().IsResize) *FlashGameMain().IsResize = value;
}
