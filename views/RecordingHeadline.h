#pragma once
// The line naming the current recording (detailsHeadline) for what a
// doctor prints from a window: read from the shared record set's file
// without opening anything; empty when there is no file or it gives none.
#include <QString>

QString currentRecordingHeadline();
