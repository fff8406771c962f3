#include "framework/print/PrintDestinations.h"

#include "framework/print/PdfPlayer.h"
#include "framework/print/PrintErrors.h"

#include <cups/cups.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace {

constexpr double MillimetresPerInch = 25.4;

int Pixels(double millimetres, int dpi) {
  return static_cast<int>(std::lround(millimetres * dpi / MillimetresPerInch));
}

String SystemReason() { return std::strerror(errno); }

// A new empty file beside path, named after it; EPrinter when the folder takes none.
String CreateTemporaryBeside(const String& path) {
  String name = path + ".XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) throw EPrinter("Cannot write \"" + path + "\": " + SystemReason());
  close(fd);
  return name;
}

void WritePdf(const String& path, const std::vector<TMetaPage>& pages, const TDeviceCaps& caps) {
  TPdfDocument document(path);
  for (const TMetaPage& page : pages) document.AddPage(page, caps);
  document.Finish();
}

double HundredthsToMillimetres(int value) { return value / 100.0; }

// The queue's default media and resolution, or A4 at 600 dpi where the server says nothing.
TPaper PaperOfQueue(const String& queue) {
  TPaper paper;
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  if (!dest) return paper;
  if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
    cups_size_t size;
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size) && size.width > 0 &&
        size.length > 0) {
      paper.Width = HundredthsToMillimetres(size.width);
      paper.Height = HundredthsToMillimetres(size.length);
      paper.Left = HundredthsToMillimetres(size.left);
      paper.Top = HundredthsToMillimetres(size.top);
      paper.Right = HundredthsToMillimetres(size.right);
      paper.Bottom = HundredthsToMillimetres(size.bottom);
    }
    if (ipp_attribute_t* resolution =
            cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
      int yres = 0;
      ipp_res_t units = IPP_RES_PER_INCH;
      const int xres = ippGetResolution(resolution, 0, &yres, &units);
      if (xres > 0 && units == IPP_RES_PER_INCH) paper.Dpi = xres;
    }
    cupsFreeDestInfo(info);
  }
  cupsFreeDests(1, dest);
  return paper;
}

} // namespace

TDeviceCaps CapsOfPaper(const TPaper& paper, bool landscape) {
  TDeviceCaps caps;
  caps.LogPixelsX = caps.LogPixelsY = paper.Dpi;
  const int width = Pixels(paper.Width, paper.Dpi), height = Pixels(paper.Height, paper.Dpi);
  const int left = Pixels(paper.Left, paper.Dpi), top = Pixels(paper.Top, paper.Dpi);
  const int right = Pixels(paper.Right, paper.Dpi), bottom = Pixels(paper.Bottom, paper.Dpi);
  if (landscape) {
    // Turned a quarter counter-clockwise: the sheet's right edge becomes its top.
    caps.PhysicalWidth = height;
    caps.PhysicalHeight = width;
    caps.OffsetX = bottom;
    caps.OffsetY = right;
    caps.HorzRes = height - bottom - top;
    caps.VertRes = width - right - left;
  } else {
    caps.PhysicalWidth = width;
    caps.PhysicalHeight = height;
    caps.OffsetX = left;
    caps.OffsetY = top;
    caps.HorzRes = width - left - right;
    caps.VertRes = height - top - bottom;
  }
  return caps;
}

void WritePdfFile(const String& path, const std::vector<TMetaPage>& pages,
                  const TDeviceCaps& caps) {
  const String temporary = CreateTemporaryBeside(path);
  try {
    WritePdf(temporary, pages, caps);
  } catch (const EPrinter& e) {
    std::remove(temporary.c_str());
    throw EPrinter("Cannot write \"" + path + "\": " + e.Message());
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const String reason = SystemReason();
    std::remove(temporary.c_str());
    throw EPrinter("Cannot write \"" + path + "\": " + reason);
  }
}

void TPdfFileDestination::BeginJob(const TJobSettings&) {
  // Fail before any page is drawn when the folder takes no file.
  std::remove(CreateTemporaryBeside(fileName_).c_str());
}

void TPdfFileDestination::EndJob(const std::vector<TMetaPage>& pages, const TDeviceCaps& caps) {
  WritePdfFile(fileName_, pages, caps);
}

std::vector<TCupsQueue> CupsQueues() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<TCupsQueue> queues;
  for (int i = 0; i < count; ++i)
    if (!dests[i].instance) queues.push_back(TCupsQueue{dests[i].name, dests[i].is_default != 0});
  cupsFreeDests(count, dests);
  return queues;
}

void UseCupsServer(const String& server) {
  cupsSetServer(server.empty() ? nullptr : server.c_str());
}

TCupsDestination::TCupsDestination(String queue)
    : queue_(std::move(queue)), paper_(PaperOfQueue(queue_)) {}

void TCupsDestination::BeginJob(const TJobSettings& settings) {
  title_ = settings.Title;
  cups_option_t* options = nullptr;
  int count =
      cupsAddOption("copies", std::to_string(std::max(1, settings.Copies)).c_str(), 0, &options);
  job_ = cupsCreateJob(CUPS_HTTP_DEFAULT, queue_.c_str(), title_.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (job_ == 0) throw EPrinter("Printer \"" + queue_ + "\": " + cupsLastErrorString());
}

void TCupsDestination::EndJob(const std::vector<TMetaPage>& pages, const TDeviceCaps& caps) {
  char folder[] = "/tmp/lumprint.XXXXXX";
  if (!mkdtemp(folder)) throw EPrinter("Cannot make a temporary folder: " + SystemReason());
  const String path = String(folder) + "/job.pdf";
  auto cleanUp = [&] {
    std::remove(path.c_str());
    rmdir(folder);
  };
  try {
    WritePdfFile(path, pages, caps);
    std::ifstream pdf(path, std::ios::binary);
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue_.c_str(), job_, title_.c_str(), CUPS_FORMAT_PDF,
                          1) != HTTP_STATUS_CONTINUE)
      throw EPrinter("Printer \"" + queue_ + "\": " + cupsLastErrorString());
    std::vector<char> buffer(64 * 1024);
    while (pdf.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || pdf.gcount() > 0)
      if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, buffer.data(),
                               static_cast<std::size_t>(pdf.gcount())) != HTTP_STATUS_CONTINUE)
        break;
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, queue_.c_str()) != IPP_STATUS_OK)
      throw EPrinter("Printer \"" + queue_ + "\": " + cupsLastErrorString());
  } catch (...) {
    cleanUp();
    AbortJob();
    throw;
  }
  cleanUp();
  job_ = 0;
}

void TCupsDestination::AbortJob() {
  if (job_ != 0) cupsCancelJob2(CUPS_HTTP_DEFAULT, queue_.c_str(), job_, 0);
  job_ = 0;
}
