#include "data/AbpmArtefacts.h"

std::optional<ArtefactRule> artefactOf(const AbpmReading& r)
{
    if (!r.moment.isValid() || !r.sys || !r.dia || !r.map || !r.pulse)
        return ArtefactRule::EmptyValue;
    if (*r.sys < kSysLowest || *r.sys > kSysHighest)
        return ArtefactRule::SysOutOfRange;
    if (*r.dia < kDiaLowest || *r.dia > kDiaHighest)
        return ArtefactRule::DiaOutOfRange;
    if (*r.dia >= *r.sys)
        return ArtefactRule::DiaNotBelowSys;
    if (*r.sys - *r.dia < kLeastPulsePressure)
        return ArtefactRule::NarrowPulsePressure;
    return std::nullopt;
}
