#include "tests/sound/sound_fixtures.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/audio_output.h"

std::vector<unsigned char> MakeWav(int channels, int rate, int bits, const std::vector<unsigned char>& data,
                                   uint16_t tag) {
  cBytes b;
  int align = channels * bits / 8;
  b.Raw({'R', 'I', 'F', 'F'}).U32(static_cast<uint32_t>(36 + data.size())).Raw({'W', 'A', 'V', 'E'});
  b.Raw({'f', 'm', 't', ' '}).U32(16).U16(tag).U16(static_cast<uint16_t>(channels)).U32(static_cast<uint32_t>(rate));
  b.U32(static_cast<uint32_t>(rate * align)).U16(static_cast<uint16_t>(align)).U16(static_cast<uint16_t>(bits));
  b.Raw({'d', 'a', 't', 'a'}).U32(static_cast<uint32_t>(data.size())).Raw(data);
  if (data.size() & 1) b.U8(0);
  return b.v;
}

std::vector<unsigned char> MakeWav8(int rate, const std::vector<uint8_t>& samples) {
  return MakeWav(1, rate, 8, std::vector<unsigned char>(samples.begin(), samples.end()));
}

std::vector<unsigned char> MakeWav16(int rate, const std::vector<int16_t>& samples) {
  cBytes d;
  for (int16_t s : samples) d.U16(static_cast<uint16_t>(s));
  return MakeWav(1, rate, 16, d.v);
}

std::vector<unsigned char> MakeMidi(int format, int division, const std::vector<std::vector<uint8_t>>& tracks) {
  std::vector<unsigned char> v = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
  auto be16 = [&](int x) {
    v.push_back(static_cast<unsigned char>(x >> 8));
    v.push_back(static_cast<unsigned char>(x));
  };
  be16(format);
  be16(static_cast<int>(tracks.size()));
  be16(division);
  for (const auto& t : tracks) {
    v.insert(v.end(), {'M', 'T', 'r', 'k'});
    uint32_t n = static_cast<uint32_t>(t.size());
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<unsigned char>(n >> s));
    v.insert(v.end(), t.begin(), t.end());
  }
  return v;
}

std::vector<unsigned char> MakeOggSine(int rate, int frames, double hz, double amplitude) {
  std::vector<unsigned char> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 1, rate, 0.4f) != 0) std::abort();
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1234);
  ogg_packet h0, h1, h2;
  vorbis_analysis_headerout(&vd, &vc, &h0, &h1, &h2);
  ogg_stream_packetin(&os, &h0);
  ogg_stream_packetin(&os, &h1);
  ogg_stream_packetin(&os, &h2);
  ogg_page og;
  auto put = [&](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  while (ogg_stream_flush(&os, &og)) put(og);
  int done = 0;
  bool eos = false;
  while (!eos) {
    int n = std::min(1024, frames - done);
    if (n > 0) {
      float** buf = vorbis_analysis_buffer(&vd, n);
      for (int i = 0; i < n; ++i) {
        buf[0][i] = static_cast<float>(amplitude * std::sin(2 * M_PI * hz * (done + i) / rate));
      }
      vorbis_analysis_wrote(&vd, n);
      done += n;
    } else {
      vorbis_analysis_wrote(&vd, 0);
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) {
          put(og);
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

std::vector<int16_t> Render(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  plat::RenderAudio(out.data(), frames);
  return out;
}

double Rms(const std::vector<int16_t>& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (int16_t s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

std::string TestData(const std::string& rel) { return std::string(KORVANE_TESTDATA_DIR) + "/" + rel; }
