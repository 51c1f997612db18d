#include "form_controls.h"

#include <array>
#include <cstddef>

namespace quorvel {
namespace {

// Whether no two of `controls` name the same member.
constexpr bool EachOnce(std::span<const FormControl> controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[i].member == controls[j].member) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::span<const FormControl> FormControlList() {
    // Each entry's name is spelt from its member, so that the two cannot differ.
#define QUORVEL_CONTROL(member)                                                                    \
    FormControl {                                                                                  \
#member, &FormControls::member                                                             \
    }
    static constexpr std::array kList = {
        QUORVEL_CONTROL(File650),       QUORVEL_CONTROL(FileOther),
        QUORVEL_CONTROL(FileSectors),   QUORVEL_CONTROL(FileBytes),
        QUORVEL_CONTROL(Audio96),       QUORVEL_CONTROL(AudioOther),
        QUORVEL_CONTROL(AudioKBPS),     QUORVEL_CONTROL(LengthHours),
        QUORVEL_CONTROL(LengthMinutes), QUORVEL_CONTROL(LengthSeconds),
        QUORVEL_CONTROL(VideoBitRate),
    };
#undef QUORVEL_CONTROL
    static_assert(sizeof(FormControls) == kList.size() * sizeof(void*) && EachOnce(kList),
                  "every member of FormControls is listed once");
    return kList;
}

} // namespace quorvel
