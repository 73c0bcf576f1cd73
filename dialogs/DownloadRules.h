#pragma once
// What each kind of download must be to replace its local file: a size limit and a look at the
// body before the rename. Element sets are kilobytes and weather pictures a few megabytes; the
// limits stop a wrong address from filling the disk.

#include "platform/HttpClient.h"

#include <cstdint>

namespace kiv::downloads {

inline constexpr std::int64_t kElementSetMaxBytes = std::int64_t{32} << 20;
inline constexpr std::int64_t kPictureMaxBytes = std::int64_t{256} << 20;

// At least one record the element loader takes, and no web page or XML document.
DownloadRule elementSets(bool english);
// A picture that the reader for the target's name decodes; a decode stopped by a termination
// request cancels the download.
DownloadRule picture(const QString& targetPath, bool english);

} // namespace kiv::downloads
