#include "GuideCurves.h"

namespace MirelGlyphward {

using Gdiplus::PointF;

const GuideChain kUpperGuideCurve = {
    PointF(163, 179),
    "E2NE2NENEN2E2NE4NE3NE4NE5NE4NE4NE3NE3NE3NE3NE3NE3NE3NE2NENENENE2NE2NENENE2NE4NE3NE3NE2NE2N"
    "ENE3NE2NENE3NE2NE5NE5NE14SE10SE4SE3SE3SE3S2ESES3E2S3ES3ESESES2ES4ES2ES2sS2sS2sSsSsS3sSsSsSsS"
    "sSsS2sSsSsSsSES2sS7ESE2SES3ES2ESE2SE3SE3SE23NE6NE2NENENENENENENE2NENEN2ENEN2ENEN4ENEN8EN3nN"
    "2ENnEnEnE2nN2ENEN3E2nENENE2NE3NENE3NE5NE8NE11SE4SE4SE",
};

const GuideChain kLowerGuideCurve = {
    PointF(169, 363),
    "E6NE5NE6NE11NE7NE2NE5nE6NE4NE6NE2NE4SESESESESE3SE2SESESE2SESE2sES2ES3ESES2ESESE2SE2S2E3SESE"
    "2SESE6SE7SE20NE5NE2NE2NE3NENENE2NE3NENENENENEnE3NENENEN2E2NE2NENENENENE42NE74SE5SE10SE6SE13"
    "SE20NE2NE3NENENENENEN2E2n2N2nN4nNnNnNnNnN2n2En2Nn2En6E",
};

void ExpandGuideChain(const GuideChain& chain, std::vector<PointF>& points) {
  PointF at = chain.first;
  points.push_back(at);
  const std::string_view steps = chain.steps;
  std::size_t i = 0;
  while (i < steps.size()) {
    float dx = 0, dy = 0;
    switch (steps[i]) {
      case 'E':
        dx = 1;
        break;
      case 'N':
        dx = 1;
        dy = -1;
        break;
      case 'S':
        dx = 1;
        dy = 1;
        break;
      case 'n':
        dy = -1;
        break;
      case 's':
        dy = 1;
        break;
      default:
        return;
    }
    ++i;
    int repeat = 0;
    while (i < steps.size() && steps[i] >= '0' && steps[i] <= '9' && repeat < 100000) {
      repeat = repeat * 10 + (steps[i] - '0');
      ++i;
    }
    if (repeat == 0) repeat = 1;
    for (int k = 0; k < repeat; ++k) {
      at = PointF(at.X + dx, at.Y + dy);
      points.push_back(at);
    }
  }
}

}  // namespace MirelGlyphward
