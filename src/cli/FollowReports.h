#pragma once

#include "cli/DecodeCommand.h"
#include "reports/ReportModel.h"

#include <string>

namespace quorlix {

// The hidraw node a --device selector names (/dev/hidrawN), found through sysfs unless the
// selector is a node already; a lower-case reason when there is none.
Expected<std::string, std::string> HidrawNodeOf(const std::string& selector);

// Why path cannot be followed, and for a refused open what is needed: read access to the node.
std::string FollowOpenErrorText(const std::string& path, int error);

// From now on SIGINT and SIGTERM end FollowReports' wait instead of the program, so the reports
// written so far are complete and the exit status is the program's own.
void StopFollowingOnInterrupt();

// Decodes each report read from fd, one read giving one report as a hidraw node (or a
// SOCK_SEQPACKET socket) gives them, until the end of input or an interrupt. Each is written
// at once; errors name where and the report's number from 1. Gives the reason when a read fails
// otherwise.
Expected<void, std::string> FollowReports(int fd, const ReportModel& model, ReportType type,
                                          const std::string& where, DecodedReportWriter& writer);

} // namespace quorlix
