#pragma once
// The WHO class of one measurement from its systolic and diastolic values.
#include <QString>

#include <optional>

enum class BpClass { Unknown, Hypertension, Borderline, Hypotension, Normal };

// The tests in order, the first that holds decides, all strict:
// SYS > 160 or DIA > 95 hypertension; SYS > 140 or DIA > 90 borderline;
// SYS < 90 hypotension; otherwise normal. A missing value takes part in no
// test; when it could still change the class the class is Unknown.
BpClass classifyBp(std::optional<double> sys, std::optional<double> dia);

// The class word of the current edition ("Normal", "Grenzlinie", ...);
// empty for Unknown.
QString bpClassText(BpClass c);
