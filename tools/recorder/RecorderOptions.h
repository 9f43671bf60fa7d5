#pragma once
// The simulator's command line, parsed into what it plays and how.
#include "tools/recorder/BpBurstPlan.h"
#include "tools/recorder/RecorderFrames.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

struct RecorderOptions {
    enum class Mode { BloodPressure, Ecg };

    Mode mode = Mode::BloodPressure;
    bool window = false;
    bool onTop = false;   // the window stays above others, at the screen's right edge
    QString instructions; // shown at the top of the window
    QString linkPath;     // stable name of the device; empty: none
    QString registerPort; // "COM1".."COM8": point that port at the link
    QString outputFile;   // write to this file instead of a pseudo-terminal
    bool waitForOpen = true;
    int delayMs = 200;    // after the program opened the port
    int lingerMs = 500;   // before hanging up after the last byte

    // Blood pressure.
    QString csvFile;      // empty: a generated 24-hour recording
    QDateTime start;
    quint32 seed = 1;
    int count = -1;       // play only this many readings; -1: all
    BpBurstPlan plan;
    int gapMs = 300;
    int baud = 0;         // pace bytes as a line at this rate; 0: at once

    // ECG.
    EcgHeader header;
    FrameLayout layout = FrameLayout::Split;
    int heartRate = 72;
    double seconds = 30;
    double baseline = 64;
    int headerPauseMs = 100;

    // std::nullopt with *error when the command line is wrong; *helpText
    // gets the usage text when help was asked for (also std::nullopt).
    static std::optional<RecorderOptions> parse(const QStringList& arguments, QString* error,
                                                QString* helpText);
};
