#include "form/ui_font.h"

namespace tarnwick {

HFONT UiFont() {
    static const HFONT font = [] {
        const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        LOGFONTW description{};
        if (GetObjectW(stock, sizeof description, &description) != sizeof description ||
            description.lfCharSet == GB2312_CHARSET) {
            return stock;
        }
        description.lfCharSet = GB2312_CHARSET;
        HFONT chinese = CreateFontIndirectW(&description);
        return chinese ? chinese : stock;
    }();
    return font;
}

}  // namespace tarnwick
