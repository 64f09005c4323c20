#include "Fixtures.h"

namespace fixture {

double dms(double d, double m, double s) { return d + m / 60.0 + s / 3600.0; }

std::string topconReport()
{
    return "Отчёт Topcon\r\n"
           "P,K1,55 45 12.3456,37 36 56.789,150.5\r\n"
           "P,K2,55 46 01.2036,37 38 10.716,148.902\r\n"
           "VPP,K1,K2,-1779.1178,258.5627,847.4782,0.0023,0.0017,0.0033\r\n"
           "VPP,K1,K3,100.0,200.0,300.0,0.001,0.001,0.001\r\n";
}

std::string lgoPoints(const std::string& pointColumn, const std::string& name)
{
    return pointColumn + "\tLatitude\tLongitude\tEllip. Hgt.\r\n" + name
           + "\t55 45 12.3456 N\t37 36 56.789 E\t150.5\r\n";
}

std::string spectrumReport()
{
    return "Spectrum\xC2\xAE Survey 4.30\n"
           "                                 VECTOR SUMMARY\n"
           "BASE STATION (SB1)    Epochs: 1419\n"
           "Antenna [SP80 internal, 1.512 m slant to ARP]\n"
           "X:     3955765.5133 m        Lat:  N 51 45 07.96680\n"
           "Y:      -86847.9490 m        Lon:  W 01 15 27.77040\n"
           "Z:     4985870.9080 m        Hgt:     112.418 m\n"
           "\n"
           "REMOTE STATION (SB2)    Epochs: 1328\n"
           "Antenna [SP80 internal, 1.447 m slant to ARP]\n"
           "X:     3954351.5390 m        Lat:  N 51 46 08.05440\n"
           "Y:      -84320.5161 m        Lon:  W 01 13 17.61600\n"
           "Z:     4987008.0808 m        Hgt:      96.772 m\n"
           "\n"
           "VECTOR RESULTS\n"
           "dX:    -1413.9742 m      Sigma:  0.0018 m\n"
           "dY:     2527.4328 m      Sigma:  0.0016 m\n"
           "dZ:     1137.1728 m      Sigma:  0.0034 m\n"
           "\n"
           "COVARIANCE MATRIX (m^2)\n"
           "            dX              dY              dZ\n"
           "dX    4.0e-06\n"
           "dY    8.787007e-07    9.0e-06\n"
           "dZ    2.500476e-06    1.389068e-06    1.6e-05\n"
           "\n"
           "Spectrum\xC2\xAE Survey 4.30\n";
}

std::string tgoExport()
{
    return "[General]\n"
           "Separator=:\n"
           "[Stations]\n"
           "Station=2:?:T1:54.601348512N:3.134921077W:139.8125:0:0:86.7125\n"
           "Station=2:?:T2:54.650853201N:3.147264109W:981.2730:0:0:928.1730\n"
           "[GPS]\n"
           "Vector=1:?:T1:T2:-4044.3084:-576.5375:3876.5989:0.0001:0:0:0.0004:0:0.0004:0:0:0:0:0.06\n";
}

std::string pinnacleStation()
{
    return ":::\n"
           "Rec*Station*Type*Name*Latitude*Sigma N*Longitude*Sigma E*Ell. Height\n"
           "1*0001*C*PS1* 0.974438993142*0.0033* 0.651539893815*0.0026* 214.3180\n";
}

std::string pinnacleVector()
{
    return ":::\n"
           "1*PS2*PS1*L1L2*FIXED*   1686.5516*  -1412.4278*   -361.7857*  2229.4164\n"
           "  0.0004  0  0.0009  0  0  0.0016\n";
}

} // namespace fixture
