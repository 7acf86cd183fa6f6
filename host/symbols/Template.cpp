#include "host/symbols/Template.h"

#include <cmath>

#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "host/streams/StreamValues.h"

namespace zelph::host {

HRESULT CreateTemplate(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::Template>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

STDMETHODIMP Template::get_Interval(double* interval) {
  return HostCall([&] { *interval = m_Interval; }, interval);
}

STDMETHODIMP Template::put_Interval(double interval) {
  return HostCall([&] {
    RequireArgument(std::isfinite(interval) && interval > 0);
    m_Interval = interval;
  });
}

STDMETHODIMP Template::get_PatternElementCount(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(m_Elements.size()); }, count);
}

STDMETHODIMP Template::QueryPatternElement(LONG index, double* mark, double* gap) {
  return HostCall(
      [&] {
        RequireArgument(index >= 0 && static_cast<size_t>(index) < m_Elements.size());
        *mark = m_Elements[static_cast<size_t>(index)].mark;
        *gap = m_Elements[static_cast<size_t>(index)].gap;
      },
      mark, gap);
}

STDMETHODIMP Template::AddPatternElement(double mark, double gap) {
  return HostCall([&] {
    RequireArgument(std::isfinite(mark) && mark >= 0 && std::isfinite(gap) && gap >= 0);
    m_Elements.push_back({mark, gap});
  });
}

STDMETHODIMP Template::ClearPatternElements() {
  return HostCall([&] { m_Elements.clear(); });
}

void SaveTemplate(IVariantStream* stream, ITemplate* pattern) {
  streams::WriteBool(stream, pattern != nullptr);
  if (!pattern) return;
  double interval = 0;
  LONG count = 0;
  ThrowIfFailed(pattern->get_Interval(&interval));
  ThrowIfFailed(pattern->get_PatternElementCount(&count));
  streams::WriteDouble(stream, interval);
  streams::WriteLong(stream, count);
  for (LONG i = 0; i < count; ++i) {
    double mark = 0;
    double gap = 0;
    ThrowIfFailed(pattern->QueryPatternElement(i, &mark, &gap));
    streams::WriteDouble(stream, mark);
    streams::WriteDouble(stream, gap);
  }
}

CComPtr<ITemplate> LoadTemplate(IVariantStream* stream) {
  CComPtr<ITemplate> pattern;
  if (!streams::ReadBool(stream)) return pattern;
  ThrowIfFailed(CreateTemplate(nullptr, IID_ITemplate, reinterpret_cast<void**>(&pattern)));
  // The template's own checks hold the record to its rules.
  auto fits = [](HRESULT hr) {
    if (FAILED(hr)) Fail(streams::kRecordMismatch);
  };
  fits(pattern->put_Interval(streams::ReadDouble(stream)));
  size_t count = streams::ReadCount(stream);
  for (size_t i = 0; i < count; ++i) {
    double mark = streams::ReadDouble(stream);
    fits(pattern->AddPatternElement(mark, streams::ReadDouble(stream)));
  }
  return pattern;
}

}  // namespace zelph::host::symbols
