#pragma once
// The line naming the patient and the current recording (patientHeadlineOf)
// for what a doctor prints from a window: read from the shared record
// set's file without opening anything; empty when there is no file or its
// details name no patient.
#include <QString>

QString currentRecordingHeadline();
