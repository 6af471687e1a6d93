#include "page_model.h"

PageText PageTextFor(Language language, PageTextKey key) {
  const Catalog& window = CatalogFor(language);
  const PageCatalog& page = PageCatalogFor(language);
  switch (key) {
    case PageTextKey::Caption:
      return window.caption;
    case PageTextKey::PortLabel:
      return WithoutMnemonic(window.portLabel).c_str();
    case PageTextKey::ChoosePort:
      return page.choosePort;
    case PageTextKey::ModeGroup:
      return window.modeGroup;
    case PageTextKey::Mode500:
    case PageTextKey::Mode100:
    case PageTextKey::ModeOff:
      return WithoutMnemonic(
                 window.modes[static_cast<int>(key) - static_cast<int>(PageTextKey::Mode500)])
          .c_str();
    case PageTextKey::Write:
      return WithoutMnemonic(window.write).c_str();
    case PageTextKey::ResultLabel:
      return WithoutMnemonic(window.resultLabel).c_str();
    case PageTextKey::Unsupported:
      return page.unsupported;
  }
  return "";
}

PageText PagePortName(Language language, unsigned number) {
  return PageText().AppendFormat(PageCatalogFor(language).port, number);
}

PageText PagePortEntry(Language language, unsigned number, long vendor, long product) {
  PageText entry = PagePortName(language, number);
  if (vendor >= 0 && vendor <= 0xFFFF && product >= 0 && product <= 0xFFFF) {
    entry.AppendFormat(" - USB %04lx:%04lx", vendor, product);
  }
  return entry;
}

PageText PageWritingText(Language language, int choice, unsigned number) {
  const Catalog& texts = CatalogFor(language);
  return PageText().AppendFormat(texts.writing, WithoutMnemonic(texts.modes[choice]).c_str(),
                                 PagePortName(language, number).c_str());
}
