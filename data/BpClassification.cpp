#include "data/BpClassification.h"

#include "text/MessageCatalogue.h"

BpClass classifyBp(std::optional<double> sys, std::optional<double> dia)
{
    if ((sys && *sys > 160) || (dia && *dia > 95))
        return BpClass::Hypertension;
    // With a value missing, no lower class can be told for certain.
    if (!sys || !dia)
        return BpClass::Unknown;
    if (*sys > 140 || *dia > 90)
        return BpClass::Borderline;
    if (*sys < 90)
        return BpClass::Hypotension;
    return BpClass::Normal;
}

QString bpClassText(BpClass c)
{
    switch (c) {
    case BpClass::Hypertension: return catText("bpClass.hypertension");
    case BpClass::Borderline: return catText("bpClass.borderline");
    case BpClass::Hypotension: return catText("bpClass.hypotension");
    case BpClass::Normal: return catText("bpClass.normal");
    case BpClass::Unknown: break;
    }
    return QString();
}
