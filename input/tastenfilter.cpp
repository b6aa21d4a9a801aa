#include "input/tastenfilter.h"

namespace zivor {

namespace {
constexpr bool istZiffer(qint16 code) { return code >= '0' && code <= '9'; }
} // namespace

qint16 filterAmplitude(qint16 code)
{
    if (code == ',')
        return '.';
    return code == '.' || istZiffer(code) ? code : 0;
}

qint16 filterWinkel(qint16 code)
{
    return code == '-' || istZiffer(code) ? code : 0;
}

qint16 filterFrequenz(qint16 code)
{
    return istZiffer(code) ? code : 0;
}

} // namespace zivor
