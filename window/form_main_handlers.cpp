// The window's behaviour: one handler per control event. Each write into a box
// or selection of an option raises that control's own event at once, so the
// handlers below nest; every value written back lies within its limits and
// reads back to itself, which keeps the nesting shallow.
#include "form_main.h"

#include "controls.h"
#include "conversions.h"

namespace quorvel {

void Form_Main::Form_Load() {
    InitDefaults(m_state);
    // These writes select the "Other:" options on the way; the presets selected
    // after them are the ones the window opens with.
    Write(m_FileSectors, FormatGeneral(m_state.SectorCount));
    Write(m_FileBytes, FormatGeneral(m_state.BytesPerSector));
    m_File650->Select();
    Write(m_AudioKBPS, FormatGeneral(m_state.AudioOtherKbps));
    m_Audio96->Select();
    Write(m_LengthHours, FormatTwoDigit(m_state.LengthH));
    Write(m_LengthMinutes, FormatTwoDigit(m_state.LengthM));
    Write(m_LengthSeconds, FormatTwoDigit(m_state.LengthS));
    Recompute();
}

// Target size

// A preset changes only the size in use: the typed sectors stay in their boxes,
// so choosing "Other:" again brings them back.
void Form_Main::SizePresetChosen(std::int32_t kbits) {
    SelectSizePreset(m_state, kbits);
    Recompute();
}

void Form_Main::File650_Click() {
    SizePresetChosen(kFile650Kbits);
}

void Form_Main::File700_Click() {
    SizePresetChosen(kFile700Kbits);
}

void Form_Main::File651_Click() {
    SizePresetChosen(kFile651Kbits);
}

void Form_Main::File654_Click() {
    SizePresetChosen(kFile654Kbits);
}

void Form_Main::File702_Click() {
    SizePresetChosen(kFile702Kbits);
}

void Form_Main::FileOther_Click() {
    ApplyTypedSize(m_state);
    Recompute();
}

// Typing a size chooses "Other:" first; if it was not chosen, its Click works
// out the size from the sectors as they stood before this edit.
void Form_Main::FileSectors_Change() {
    m_FileOther->Select();
    SetSectorCount(m_state, Text(m_FileSectors), m_rewrite);
    ApplyTypedSize(m_state);
    Recompute();
}

void Form_Main::FileBytes_Change() {
    m_FileOther->Select();
    SetBytesPerSector(m_state, Text(m_FileBytes), m_rewrite);
    ApplyTypedSize(m_state);
    Recompute();
}

void Form_Main::FileSectors_LostFocus() {
    Write(m_FileSectors, FormatGeneral(m_state.SectorCount));
}

void Form_Main::FileBytes_LostFocus() {
    Write(m_FileBytes, FormatGeneral(m_state.BytesPerSector));
}

// Audio rate

void Form_Main::AudioPresetChosen(std::int32_t kbps) {
    SelectAudioPreset(m_state, kbps);
    Recompute();
}

void Form_Main::Audio96_Click() {
    AudioPresetChosen(96);
}

void Form_Main::Audio112_Click() {
    AudioPresetChosen(112);
}

void Form_Main::Audio128_Click() {
    AudioPresetChosen(128);
}

void Form_Main::Audio160_Click() {
    AudioPresetChosen(160);
}

void Form_Main::Audio192_Click() {
    AudioPresetChosen(192);
}

void Form_Main::Audio224_Click() {
    AudioPresetChosen(224);
}

void Form_Main::Audio256_Click() {
    AudioPresetChosen(256);
}

void Form_Main::Audio320_Click() {
    AudioPresetChosen(320);
}

// Uses the box's number as it stands, before its limits.
void Form_Main::AudioOther_Click() {
    UseTypedAudio(m_state, Text(m_AudioKBPS));
    Recompute();
}

void Form_Main::AudioKBPS_Change() {
    m_AudioOther->Select();
    SetAudioOther(m_state, Text(m_AudioKBPS), m_rewrite);
    Recompute();
}

void Form_Main::AudioKBPS_LostFocus() {
    Write(m_AudioKBPS, FormatGeneral(m_state.AudioOtherKbps));
}

// Running time. A part held to a limit shows in plain form ("0", "23") while the
// box has the focus and in two-digit form once it is left.

void Form_Main::LengthHours_Change() {
    SetLengthPart(m_state, LengthPart::Hours, Text(m_LengthHours), m_rewrite);
    Recompute();
}

void Form_Main::LengthMinutes_Change() {
    SetLengthPart(m_state, LengthPart::Minutes, Text(m_LengthMinutes), m_rewrite);
    Recompute();
}

void Form_Main::LengthSeconds_Change() {
    SetLengthPart(m_state, LengthPart::Seconds, Text(m_LengthSeconds), m_rewrite);
    Recompute();
}

void Form_Main::LengthHours_LostFocus() {
    Write(m_LengthHours, FormatTwoDigit(m_state.LengthH));
}

void Form_Main::LengthMinutes_LostFocus() {
    Write(m_LengthMinutes, FormatTwoDigit(m_state.LengthM));
}

void Form_Main::LengthSeconds_LostFocus() {
    Write(m_LengthSeconds, FormatTwoDigit(m_state.LengthS));
}

} // namespace quorvel
