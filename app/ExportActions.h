// "Save picture...", "Save data..." and "Save impulse response...": what the main window does once
// the user has chosen a file. Both write through a temporary file that is renamed into place only
// when every byte is written, so a failure leaves no partial file and an existing file unchanged,
// and says so in a message. The data is a copy the engine hands over after its next block; the
// engine never pauses for it.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/ExportNames.h"
#include "dialogs/DialogView.h"
#include "engine/CDSCapture.h"

namespace velmora2 {

class ExportActions {
public:
    // How long to wait for the engine's next block: many block periods even at 48000 Hz.
    static constexpr std::chrono::milliseconds kDataWait{1000};

    // engine: the running main engine, or null while there is none.
    ExportActions(DialogServices& services, std::function<CDSCapture*()> engine)
        : services_(services), engine_(std::move(engine)) {}

    // The name the file dialog offers: what the picture shows now, and the local time.
    std::string SuggestedName(ExportKind kind) const;
    // Writes the encoded picture; a name without an extension gets ".png". False (after the
    // message) when it cannot be written.
    bool SavePicture(const std::filesystem::path& path, std::string_view encodedPicture);
    // Writes the CSV of what the current mode shows; a name without an extension gets ".csv".
    // False (after the message) when there is nothing to save or the file cannot be written.
    bool SaveData(const std::filesystem::path& path);
    // Writes the impulse response of the log sweep the network plot shows, as a WAV file; a name
    // without an extension gets ".wav". False (after the message) when no log sweep is shown or
    // the file cannot be written.
    bool SaveImpulse(const std::filesystem::path& path);

private:
    bool Write(const std::filesystem::path& path, std::string_view contents);

    DialogServices& services_;
    std::function<CDSCapture*()> engine_;
};

}  // namespace velmora2
