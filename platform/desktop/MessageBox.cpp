#include "platform/desktop/MessageBox.h"

int StreamMessagePresenter::MessageBox(std::string_view text, std::string_view caption, UINT) {
    std::fprintf(m_stream, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(m_stream);
    return IDOK;
}
