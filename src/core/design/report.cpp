// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/report.h"

#include "arrays/gain.h"
#include "design/dl6wu.h"
#include "physics/physics.h"
#include "state/errors.h"
#include "state/numbers.h"
#include "text/format.h"

#include <cmath>
#include <numbers>

namespace tavora {

namespace {

void PrintHeading(const DesignState& s, std::string& r, char sep)
{
    auto F = [sep](double x, int p, int n) { return FormatFixed(x, p, n, sep); };
    r = "TAVORA\r\n\r\n";
    r += "Yagi design frequency =" + F(s.DesignFreq, 6, 2) + " MHz\r\n";
    r += "Wavelength =" + F(s.WaveLength, 7, 0) + " mm\r\n";
    const std::string shape = s.BoomSquare ? "square section metal" : "round section metal";
    const std::string boom =
        " boom " + F(static_cast<double>(s.BoomSize), 5, 0) + " mm across.\r\n";
    if (s.Mounting == 'Y')
        r += "Parasitic elements contacting a " + shape + boom;
    else if (s.Mounting == 'I')
        r += "Parasitic elements insulated through a " + shape + boom;
    else
        r += "Parasitic elements fastened to a non-metallic or separated from boom\r\n";
    r += s.DipoleMounting == 1 ? "Folded dipole fully insulated from boom\r\n"
                               : "Folded dipole mounted same as directors and reflector\r\n";
    if (s.ElementShape == 0)
        r += "Director/reflector diam =" + s.ElementDiamText + " mm\r\n";
    else if (s.ElementShape == 1)
        r += "Director/reflector square section =" + s.ElementWidthText + " mm\r\n";
    else
        r += "Director/reflector strip =" + s.ElementWidthText + " mm by " + s.ElementThickText +
             " mm\r\n";
    if (s.RadiatorShape == 0)
        r += "Radiator diam =" + s.RadiatorDiamText + " mm\r\n\r\n";
    else if (s.RadiatorShape == 1)
        r += "Radiator square section =" + s.RadiatorWidthText + " mm\r\n\r\n";
    else
        r += "Radiator strip =" + s.RadiatorWidthText + " mm by " + s.RadiatorThickText +
             " mm\r\n\r\n";
}

// Director rows; gives the gain after the last director, or at the radiator
// when there are none, for the beamwidth estimate.
double CalcDirector(DesignState& s, double lambda, double d, double boomCorr, std::string& r,
                    char sep)
{
    auto F = [sep](double x, int p, int n) { return FormatFixed(x, p, n, sep); };
    s.DirLength.fill(0);
    s.DirBoomPos.fill(0);
    s.DirSpacing.fill(0);
    double P = s.RadiatorPos + 30;
    double lastGain = GainVK3AUU(s.RadiatorPos, lambda);
    for (int n = 1; n <= s.DirCount; ++n) {
        const double Ln = Checked((DirectorRelLength(d, n) + boomCorr) * lambda);
        const double Sn = lambda * DirSpacingTable(n);
        P += Sn;
        const double IT = InsertTo(Ln, s.BoomSize);
        const double Gn = GainVK3AUU(P - 30, lambda);
        lastGain = Gn;
        s.DirSpacing[n] = Sn;
        s.DirLength[n] = Ln;
        s.DirBoomPos[n] = P - 30;
        r += F(n, 5, 0) + TabPrefix(F(Ln, 17, 1), 1) + TabPrefix(F(Sn, 17, 1), 1) +
             TabPrefix(F(P, 15, 1), 1) + TabPrefix(F(IT, 7, 1), 2) + TabPrefix(F(Gn, 7, 1), 1) +
             TabPrefix(F(Gn + kDipoleGainDbi, 7, 1), 1) + kCrlf;
    }
    s.BoomLength = P;
    return lastGain;
}

struct ElementLengths {
    double dipole, folded, reflector;
};

// The boom does not correct elements fastened to a non-metal boom.
double BoomCorrectionOf(const DesignState& s, double lambda)
{
    const bool metalBoom = s.Mounting == 'Y' || s.Mounting == 'I';
    const double b = Checked((metalBoom ? s.BoomDiam : 0) / lambda);
    return BoomCorrection(b, s.Mounting);
}

ElementLengths ElementLengthsOf(const DesignState& s, double lambda, double d, double boomCorr)
{
    const double dipole = Checked(DipoleRelLength(s.RadiatorDiam, lambda) * lambda);
    const double folded =
        s.DipoleMounting == 1 ? dipole * 1.02 : (boomCorr * lambda + dipole) * 1.02;
    return {dipole, folded, ReflectorLength(d, boomCorr, s.DesignFreq)};
}

} // namespace

std::string ReportDocumentName(const DesignState& s, char sep)
{
    return "Yagi " + FormatFixed(s.DesignFreq, 6, 2, sep) + " MHz";
}

std::string BalunLine(DesignState& s, char sep)
{
    if (s.CoaxName.find("USER") != std::string::npos)
        s.CoaxName = "coax";
    if (!(s.VelocityFactor > 0 && s.VelocityFactor <= 1))
        return {};
    return "A half wave 4:1 balun uses " + FormatFixed(s.VelocityFactor, 2, 2, sep) +
           " velocity factor " + s.CoaxName + " and is " + FormatFixed(s.BalunLength, 6, 0, sep) +
           " mm long plus leads\r\n";
}

double FindK(long long b)
{
    const double x = static_cast<double>(b);
    if (b <= 15)
        return 0.92 + 0.003 * (x - 10);
    if (b <= 20)
        return 0.9355 + 0.00385 * (x - 16);
    if (b <= 30)
        return 0.9436 + 0.0009 * (x - 21);
    if (b <= 50)
        return 0.9501 + 0.000342 * (x - 31);
    if (b <= 75)
        return 0.95701 + 0.0002879 * (x - 51);
    // From here on the published table measures from 31, not from the row's start.
    if (b <= 100)
        return 0.9601 + 0.0001287 * (x - 31);
    if (b <= 200)
        return 0.96301 + 0.0000303 * (x - 31);
    if (b <= 1000)
        return 0.97301 + 0.0000125 * (x - 31);
    if (b <= 10000)
        return 0.97801 + 0.0000005 * (x - 31);
    return 0.98;
}

double FoldedRodLength(double tipToTip, double bendDiam, double gap)
{
    return 2 * (tipToTip - bendDiam) + std::numbers::pi * bendDiam - gap;
}

FoldedDipoleRod FoldedDipoleRodOf(const DesignState& s)
{
    const double Fl = s.FoldedLength;
    const double D = s.BendDiam;
    const double g = s.FeedGap;
    FoldedDipoleRod rod;
    const double q = std::numbers::pi * D / 4;
    rod.rodLength = FoldedRodLength(Fl, D, g);
    rod.hi = Fl / 2 - D / 2 - g / 2;
    rod.ha = rod.hi + q;
    rod.hb = rod.ha + q;
    rod.hc = rod.hb + rod.hi + g / 2;
    rod.bc = g / 2 + rod.hi;
    Checked(rod.rodLength + rod.hc + rod.bc);
    return rod;
}

void FoldedDipoleDetails(DesignState& s, std::string& r, char sep)
{
    auto F = [sep](double x, int p, int n) { return FormatFixed(x, p, n, sep); };
    const double Fl = s.FoldedLength;
    const double D = s.BendDiam;
    const double g = s.FeedGap;
    r += "FOLDED DIPOLE CONSTRUCTION\r\n";
    const FoldedDipoleRod rod = FoldedDipoleRodOf(s);
    const double R = rod.rodLength, BC = rod.bc, HI = rod.hi, HA = rod.ha, HB = rod.hb, HC = rod.hc;

    const double ratio = Checked(Fl / D);
    const bool inRange = !(ratio < 10);
    const double K = inRange ? FindK(RoundHalfEven(ratio)) : 0.9;
    // K times the frequency whose half wave is Fl; multiplied before the
    // division (halving the speed is exact), which keeps the printed digits.
    const double fr = Checked(K * kLightSpeed / 2 / Fl);

    s.FoldedTipToTip = Fl;
    s.FoldedStraight = Fl - D;
    s.FoldedBendDiam = D;

    r += "Measurements are taken from the inside of bends\r\n";
    r += "Folded dipole length measured tip to tip = " + F(Fl, 6, 0) + "mm\r\n";
    r += "Total rod length =" + F(R, 7, 0) + "mm\r\n";
    r += "Centre of rod=" + F(R / 2, 6, 0) + "mm\r\n";
    r += "Distance BC=CD=" + F(BC, 6, 0) + "mm\r\n";
    r += "Distance HI=GF=" + F(HI, 6, 0) + "mm\r\n";
    r += "Distance HA=GE=" + F(HA, 6, 0) + "mm\r\n";
    r += "Distance HB=GD=" + F(HB, 6, 0) + "mm\r\n";
    r += "Distance HC=GC=" + F(HC, 6, 0) + "mm\r\n";
    r += "Gap at HG=" + F(g, 6, 0) + "mm\r\n";
    r += "Bend diameter BI=DF=" + F(D, 6, 0) + "mm\r\n\r\n";
    r += "If the folded dipole is considered as a flat plane (see ARRL Antenna Handbook)";
    r += " then its resonant frequency is ";
    if (inRange)
        r += F(fr, 5, 1) + "MHz and K is " + F(K, 5, 3) + kCrlf;
    else
        r += "less than the flat plane algorithm's range of 10:1";
}

std::vector<std::string> ReportPrintLines(const std::vector<std::string>& reportLines)
{
    std::vector<std::string> lines(3);
    lines.insert(lines.end(), reportLines.begin(), reportLines.end());
    lines.insert(lines.end(), {"", "Folded dipole measuring points\r\n"
                                   "\t   B               C              D\r\n"
                                   "\t  /--------------|-------------\\\r\n"
                                   "\tA                                      E\r\n"
                                   "\t  \\-------------| |-------------/\r\n"
                                   "\t   I               H G            F"});
    return lines;
}

void Yagidimensions(DesignState& s, std::string& r, char sep)
{
    auto F = [sep](double x, int p, int n) { return FormatFixed(x, p, n, sep); };
    ClearFpFaults();
    r.clear();
    const double lambda = Checked(WaveLength(s.DesignFreq));
    s.WaveLength = lambda;
    PrintHeading(s, r, sep);

    const double d = Checked(s.ElementDiam / lambda);
    const double boomCorr = BoomCorrectionOf(s, lambda);
    const ElementLengths lengths = ElementLengthsOf(s, lambda, d, boomCorr);
    s.DipoleLength = lengths.dipole;
    s.FoldedLength = lengths.folded;
    s.ReflLength = lengths.reflector;
    s.RadiatorPos = 0.2 * lambda;

    const std::string spaced = " mm tip to tip, spaced " + F(s.RadiatorPos, 4, 0) +
                               " mm from reflector at boom posn " + F(s.RadiatorPos + 30, 4, 0) +
                               " mm (IT = ";
    r += "REFLECTOR\r\n";
    r += F(s.ReflLength, 6, 1) +
         " mm long at boom position = 30 mm  (IT = " + F(InsertTo(s.ReflLength, s.BoomSize), 6, 1) +
         " mm)\r\n\r\n";
    r += "RADIATOR\r\n";
    r += "Single dipole " + F(s.DipoleLength, 6, 1) + spaced +
         F(InsertTo(s.DipoleLength, s.BoomSize), 6, 1) + " mm)\r\n";
    r += "Folded dipole " + F(s.FoldedLength, 6, 1) + spaced +
         F(InsertTo(s.FoldedLength, s.BoomSize), 6, 1) + " mm)\r\n\r\n";
    r += "DIRECTORS\r\n";
    r += "Dir\tLength\tSpaced\tBoom position\tIT\tGain\tGain\r\n";
    r += "(no.)\t(mm)\t(mm)\t(mm)\t\t(mm)\t(dBd)\t(dBi)\r\n";
    const double lastGain = CalcDirector(s, lambda, d, boomCorr, r, sep);
    r += "\r\n";

    r += "COMMENTS\r\n";
    r += "The abbreviation \"IT\" means \"Insert To\", it is the construction distance from the "
         "element tip to the edge of the boom for through boom mounting\r\n\r\n";
    r += "Spacings measured centre to centre from previous element\r\n";
    // Above about 1.7 GHz the tolerance is below a millimetre: a tenth shows it.
    const double tolerance = LengthTolerance(lambda);
    r += "Tolerance for element lengths is +/- " + F(tolerance, 6, tolerance < 1 ? 1 : 0) +
         " mm\r\n\r\n";
    r += "Boom position is the mounting point for each element as measured from the rear of the "
         "boom and includes the 30 mm overhang.\r\n";
    r += "The total boom length is " + F(s.BoomLength + 30, 15, 0) +
         " mm including two overhangs of 30 mm\r\n\r\n";
    r += "The beam's estimated 3dB beamwidth is " + F(BeamwidthFromGain(lastGain), 6, 0) +
         " deg\r\n\r\n";
    r += BalunLine(s, sep);
    FoldedDipoleDetails(s, r, sep);
}

} // namespace tavora
