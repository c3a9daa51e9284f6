#pragma once

#include <string>

namespace tavik {

enum class MessageIcon { Error, Warning, Information, Question };

// What a window must show for a failure the core reports instead of showing it.
struct UserMessage {
    std::string text;     // UTF-8
    std::string caption;  // UTF-8
    MessageIcon icon = MessageIcon::Error;
};

}  // namespace tavik
