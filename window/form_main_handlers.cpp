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
    write(box("FileSectors"), FormatGeneral(m_state.SectorCount));
    write(box("FileBytes"), FormatGeneral(m_state.BytesPerSector));
    option("File650")->select();
    write(box("AudioKBPS"), FormatGeneral(m_state.AudioOtherKbps));
    option("Audio96")->select();
    write(box("LengthHours"), FormatTwoDigit(m_state.LengthH));
    write(box("LengthMinutes"), FormatTwoDigit(m_state.LengthM));
    write(box("LengthSeconds"), FormatTwoDigit(m_state.LengthS));
    recompute();
}

// Target size

// A preset changes only the size in use: the typed sectors stay in their boxes,
// so choosing "Other:" again brings them back.
void Form_Main::sizePresetChosen(std::int32_t kbits) {
    SelectSizePreset(m_state, kbits);
    recompute();
}

void Form_Main::File650_Click() {
    sizePresetChosen(kSizePresetsKbits[0]);
}

void Form_Main::File700_Click() {
    sizePresetChosen(kSizePresetsKbits[1]);
}

void Form_Main::File651_Click() {
    sizePresetChosen(kSizePresetsKbits[2]);
}

void Form_Main::File654_Click() {
    sizePresetChosen(kSizePresetsKbits[3]);
}

void Form_Main::File702_Click() {
    sizePresetChosen(kSizePresetsKbits[4]);
}

void Form_Main::FileOther_Click() {
    ApplyTypedSize(m_state);
    recompute();
}

// Typing a size chooses "Other:" first; if it was not chosen, its Click works
// out the size from the sectors as they stood before this edit.
void Form_Main::FileSectors_Change() {
    option("FileOther")->select();
    SetSectorCount(m_state, textOf(box("FileSectors")), m_rewrite);
    ApplyTypedSize(m_state);
    recompute();
}

void Form_Main::FileBytes_Change() {
    option("FileOther")->select();
    SetBytesPerSector(m_state, textOf(box("FileBytes")), m_rewrite);
    ApplyTypedSize(m_state);
    recompute();
}

void Form_Main::FileSectors_LostFocus() {
    write(box("FileSectors"), FormatGeneral(m_state.SectorCount));
}

void Form_Main::FileBytes_LostFocus() {
    write(box("FileBytes"), FormatGeneral(m_state.BytesPerSector));
}

// Audio rate

void Form_Main::audioPresetChosen(std::int32_t kbps) {
    SelectAudioPreset(m_state, kbps);
    recompute();
}

void Form_Main::Audio96_Click() {
    audioPresetChosen(kAudioPresetsKbps[0]);
}

void Form_Main::Audio112_Click() {
    audioPresetChosen(kAudioPresetsKbps[1]);
}

void Form_Main::Audio128_Click() {
    audioPresetChosen(kAudioPresetsKbps[2]);
}

void Form_Main::Audio160_Click() {
    audioPresetChosen(kAudioPresetsKbps[3]);
}

void Form_Main::Audio192_Click() {
    audioPresetChosen(kAudioPresetsKbps[4]);
}

void Form_Main::Audio224_Click() {
    audioPresetChosen(kAudioPresetsKbps[5]);
}

void Form_Main::Audio256_Click() {
    audioPresetChosen(kAudioPresetsKbps[6]);
}

void Form_Main::Audio320_Click() {
    audioPresetChosen(kAudioPresetsKbps[7]);
}

// Uses the box's number as it stands, before its limits.
void Form_Main::AudioOther_Click() {
    UseTypedAudio(m_state, textOf(box("AudioKBPS")));
    recompute();
}

void Form_Main::AudioKBPS_Change() {
    option("AudioOther")->select();
    SetAudioOther(m_state, textOf(box("AudioKBPS")), m_rewrite);
    recompute();
}

void Form_Main::AudioKBPS_LostFocus() {
    write(box("AudioKBPS"), FormatGeneral(m_state.AudioOtherKbps));
}

// Running time. A part held to a limit shows in plain form ("0", "23") while the
// box has the focus and in two-digit form once it is left.

void Form_Main::LengthHours_Change() {
    SetLengthPart(m_state, LengthPart::Hours, textOf(box("LengthHours")), m_rewrite);
    recompute();
}

void Form_Main::LengthMinutes_Change() {
    SetLengthPart(m_state, LengthPart::Minutes, textOf(box("LengthMinutes")), m_rewrite);
    recompute();
}

void Form_Main::LengthSeconds_Change() {
    SetLengthPart(m_state, LengthPart::Seconds, textOf(box("LengthSeconds")), m_rewrite);
    recompute();
}

void Form_Main::LengthHours_LostFocus() {
    write(box("LengthHours"), FormatTwoDigit(m_state.LengthH));
}

void Form_Main::LengthMinutes_LostFocus() {
    write(box("LengthMinutes"), FormatTwoDigit(m_state.LengthM));
}

void Form_Main::LengthSeconds_LostFocus() {
    write(box("LengthSeconds"), FormatTwoDigit(m_state.LengthS));
}

} // namespace quorvel
