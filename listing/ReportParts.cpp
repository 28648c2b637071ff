#include "listing/ReportParts.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace listing {

namespace {

// Rows a chunk: a few milliseconds of work, so that handing chunks over
// costs nothing worth counting.
constexpr size_t ChunkRows = 4096;
// Chunks made ahead of the one written, per thread.
constexpr size_t ChunksAheadPerThread = 2;

// The chunks of one report, made by whichever thread claims them and
// written strictly in order by the calling thread.
class TChunkWriter {
public:
    TChunkWriter(const TReportParts &parts, const TLineEncoder &encode, int threads)
        : fParts(parts), fEncode(encode), fChunks((parts.RowCount + ChunkRows - 1) / ChunkRows),
          fSlots(ChunksAheadPerThread * size_t(std::max(threads, 1)))
    {
        for (int i = 1; i < threads && fChunks > 1; ++i) {
            try {
                fThreads.emplace_back([this] { Help(); });
            } catch (const std::system_error &) {
                break;  // fewer helpers: the calling thread makes the rest
            }
        }
    }
    // Also when the sink threw: the helpers stop after their chunk.
    ~TChunkWriter()
    {
        {
            std::lock_guard<std::mutex> lock(fLock);
            fQuit = true;
        }
        fChanged.notify_all();
        for (std::thread &thread : fThreads)
            thread.join();
    }

    void Run(const TByteSink &sink)
    {
        TStampTexts times(*fParts.Formats, fParts.TimeStyle);
        for (size_t chunk = 0; chunk < fChunks; ++chunk) {
            TSlot &slot = WaitFor(chunk, times);
            if (slot.Failure)
                std::rethrow_exception(slot.Failure);
            sink(slot.Bytes);
            std::lock_guard<std::mutex> lock(fLock);
            slot = TSlot();
            ++fWritten;
            fChanged.notify_all();
        }
    }

private:
    struct TSlot {
        QByteArray Bytes;
        std::exception_ptr Failure;
        bool Done = false;
    };

    // A chunk not yet claimed whose slot is free, or fChunks.
    size_t ClaimLocked()
    {
        if (fQuit || fNext == fChunks || fNext >= fWritten + fSlots.size())
            return fChunks;
        return fNext++;
    }

    void Make(size_t chunk, TStampTexts &times)
    {
        TSlot made;
        try {
            const size_t first = chunk * ChunkRows;
            const size_t last = std::min(first + ChunkRows, fParts.RowCount);
            made.Bytes.reserve(qsizetype(last - first) * 96);
            fParts.Rows([&](const QString &line) { fEncode(made.Bytes, line); }, first, last, times);
        } catch (...) {
            made.Failure = std::current_exception();
        }
        made.Done = true;
        std::lock_guard<std::mutex> lock(fLock);
        fSlots[chunk % fSlots.size()] = std::move(made);
        fChanged.notify_all();
    }

    void Help()
    {
        TStampTexts times(*fParts.Formats, fParts.TimeStyle);
        std::unique_lock<std::mutex> lock(fLock);
        for (;;) {
            size_t chunk = fChunks;
            fChanged.wait(lock, [&] { return fQuit || (chunk = ClaimLocked()) != fChunks || fNext == fChunks; });
            if (chunk == fChunks)
                return;
            lock.unlock();
            Make(chunk, times);
            lock.lock();
        }
    }

    // The slot of Chunk once made, making chunks here while it is not.
    TSlot &WaitFor(size_t chunk, TStampTexts &times)
    {
        std::unique_lock<std::mutex> lock(fLock);
        TSlot &slot = fSlots[chunk % fSlots.size()];
        while (!slot.Done) {
            const size_t claimed = ClaimLocked();
            if (claimed == fChunks) {
                fChanged.wait(lock);
                continue;
            }
            lock.unlock();
            Make(claimed, times);
            lock.lock();
        }
        return slot;
    }

    const TReportParts &fParts;
    const TLineEncoder &fEncode;
    const size_t fChunks;
    std::mutex fLock;
    std::condition_variable fChanged;
    std::vector<TSlot> fSlots;  // chunk k lives in slot k % size
    size_t fNext = 0;     // the first chunk nobody has claimed
    size_t fWritten = 0;  // chunks handed to the sink
    bool fQuit = false;
    std::vector<std::thread> fThreads;
};

void EncodeLines(const std::function<void(const TLineSink &)> &part, const TLineEncoder &encode,
                 const TByteSink &sink)
{
    QByteArray bytes;
    part([&](const QString &line) { encode(bytes, line); });
    if (!bytes.isEmpty())
        sink(bytes);
}

} // namespace

TReportParts RowsOnly(const TReportSource &source)
{
    TReportParts parts;
    parts.Head = [](const TLineSink &) {};
    parts.Tail = [](const TLineSink &) {};
    parts.RowCount = source.Order.size();
    parts.Formats = &source.Formats;
    parts.TimeStyle = source.TimeStyle;
    return parts;
}

void WriteParts(const TReportParts &parts, const TLineSink &sink)
{
    parts.Head(sink);
    TStampTexts times(*parts.Formats, parts.TimeStyle);
    parts.Rows(sink, 0, parts.RowCount, times);
    parts.Tail(sink);
}

void WriteEncodedParts(const TReportParts &parts, const TLineEncoder &encode, const TByteSink &sink, int threads)
{
    EncodeLines(parts.Head, encode, sink);
    TChunkWriter(parts, encode, threads).Run(sink);
    EncodeLines(parts.Tail, encode, sink);
}

} // namespace listing
