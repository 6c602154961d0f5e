#include "core/download_record.h"

#include "core/connection.h"
#include "core/link.h"

namespace dunax::core {

namespace {

struct Record {
    bool gone = false;
    std::vector<std::string> refused;
} g_record;

std::string noted(const std::string& name, std::string reply) {
    if (reply.empty()) {
        if (LastWriteAnswered())
            g_record.refused.push_back(name);
        else
            g_record.gone = true;
    }
    return reply;
}

}  // namespace

void BeginDownload() {
    g_record = Record{};
}

std::string DownloadWrite(const std::string& name, const std::string& grp, const std::string& item,
                          const std::string& data) {
    if (g_record.gone) return "";
    return noted(name, SelectWriteRetry(kRetries, grp, item, data));
}

std::string DownloadItemWrite(const std::string& name, const std::string& item,
                              const std::string& data) {
    if (g_record.gone) return "";
    return noted(name, ItemWriteRetry(kRetries, item, data));
}

void DownloadItemTry(const std::string& item, const std::string& data) {
    if (g_record.gone) return;
    if (ItemWriteRetry(kRetries, item, data).empty() && !LastWriteAnswered()) g_record.gone = true;
}

bool DownloadUnitGone() {
    return g_record.gone;
}

const std::vector<std::string>& DownloadRefusals() {
    return g_record.refused;
}

bool DownloadIncomplete() {
    return g_record.gone || !g_record.refused.empty();
}

void ShowDownloadIncomplete() {
    std::string text = "Downloading incomplete";
    if (!g_record.gone && !g_record.refused.empty()) {
        std::string names;
        for (const auto& n : g_record.refused) names += (names.empty() ? "" : ", ") + n;
        text += "\r\n" + names;
    }
    ReportLinkFailure(text, "Downloading");
}

}  // namespace dunax::core
