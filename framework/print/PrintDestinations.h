#pragma once

#include "framework/print/Metafile.h"

#include <memory>
#include <vector>

// Where printed pages go: one interface for the PDF file and the CUPS queues.

// A sheet and its printable area, in millimetres, with the device's resolution.
struct TPaper {
  double Width = 210.0; // A4 portrait
  double Height = 297.0;
  double Left = 4.0; // unprintable margins
  double Top = 4.0;
  double Right = 4.0;
  double Bottom = 4.0;
  int Dpi = 600;
};

// The caps of a printer DC on paper, portrait or turned to landscape.
TDeviceCaps CapsOfPaper(const TPaper& paper, bool landscape);

struct TJobSettings {
  String Title;
  int Copies = 1;
};

class TPrintDestination {
public:
  virtual ~TPrintDestination() = default;
  virtual String Name() const = 0;
  virtual TPaper Paper() const = 0;
  // A job starts; EPrinter when the destination refuses it.
  virtual void BeginJob(const TJobSettings& settings) = 0;
  // Sends the pages as one document and ends the job; EPrinter with the reason on failure,
  // leaving nothing half written.
  virtual void EndJob(const std::vector<TMetaPage>& pages, const TDeviceCaps& caps) = 0;
  // Cancels a started job; never raises.
  virtual void AbortJob() = 0;
};

// The PDF file destination, written to a temporary file beside FileName and renamed when
// complete.
class TPdfFileDestination : public TPrintDestination {
public:
  static constexpr const char* DestinationName = "PDF file";
  String Name() const override { return DestinationName; }
  TPaper Paper() const override { return TPaper{}; }
  void SetFileName(String path) { fileName_ = std::move(path); }
  const String& FileName() const { return fileName_; }
  void BeginJob(const TJobSettings& settings) override;
  void EndJob(const std::vector<TMetaPage>& pages, const TDeviceCaps& caps) override;
  void AbortJob() override {}

private:
  String fileName_;
};

// Writes pages to a PDF at path through a temporary file renamed at the end; EPrinter with the
// reason, and no file left behind, when it fails.
void WritePdfFile(const String& path, const std::vector<TMetaPage>& pages, const TDeviceCaps& caps);

// The queues of the CUPS server, the default first when marked; empty when there is no server.
struct TCupsQueue {
  String Name;
  bool IsDefault = false;
};
std::vector<TCupsQueue> CupsQueues();
// Makes the CUPS client talk to another server (a socket path or host), for tests.
void UseCupsServer(const String& server);

// A CUPS queue: the job is created on BeginJob, EndJob sends the PDF and closes it, AbortJob
// cancels it.
class TCupsDestination : public TPrintDestination {
public:
  explicit TCupsDestination(String queue);
  String Name() const override { return queue_; }
  TPaper Paper() const override { return paper_; }
  void BeginJob(const TJobSettings& settings) override;
  void EndJob(const std::vector<TMetaPage>& pages, const TDeviceCaps& caps) override;
  void AbortJob() override;
  int JobId() const { return job_; }

private:
  String queue_;
  TPaper paper_;
  String title_;
  int job_ = 0;
};
