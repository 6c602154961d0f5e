// What a download leaves to be told: the writes the unit refused, named in the words of the
// window that wrote them, and whether the unit stopped answering. A download begins a record,
// makes each write through it and, at its end, reports from it: at once when the unit stopped
// answering, otherwise after the read-back that follows, so that the screen shows what the
// unit holds while the message names what it did not take.
#pragma once

#include <string>
#include <vector>

namespace dunax::core {

// The name under which a refused maintenance switch (item 01) is reported: the unit then
// took nothing of the download.
inline constexpr const char* kMaintenanceSwitchName = "Maintenance switch (nothing was written)";

// Starts the record of a new download: nothing refused, the unit answering.
void BeginDownload();

// Writes data to item of group grp (DownloadItemWrite: of the group selected last) with the
// usual retries, as one step of the running download, and records under name what the unit
// made of it. Once the unit has left a write without any answer, nothing more is sent. The
// result is that of the write routine: empty when the unit did not take the data.
std::string DownloadWrite(const std::string& name, const std::string& grp, const std::string& item,
                          const std::string& data);
std::string DownloadItemWrite(const std::string& name, const std::string& item,
                              const std::string& data);

// A write whose refusal is expected and not reported, as a later write of the same item
// settles it; a write left without any answer still stops the download.
void DownloadItemTry(const std::string& item, const std::string& data);

// The unit left a write without any answer: the download has stopped.
bool DownloadUnitGone();
// The names of the writes the unit refused, in the order they were made.
const std::vector<std::string>& DownloadRefusals();
// The unit stopped answering or refused something: the entries were not all taken.
bool DownloadIncomplete();

// "Downloading incomplete" (critical, "Downloading"); when the unit refused writes, a second
// line names them. Nothing is shown when a lost line has been reported during the running
// action: the download, or its read-back, failed because of it, and that message said so.
void ShowDownloadIncomplete();

}  // namespace dunax::core
