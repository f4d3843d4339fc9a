// A menu of the languages the window speaks, each by its own name, in the corner beside the
// full-screen button. A choice opens the page again with ?lang= in its address, so that a
// teacher can share the link; the program stores nothing.
export function offerLanguages(menu, { languages, language, words }) {
  if (languages.length < 2) return;
  menu.setAttribute('aria-label', words.LanguageMenu);
  menu.title = words.LanguageMenu;
  for (const { code, name } of languages) {
    const option = new Option(name, code, false, code === language);
    option.lang = code; // read out in its own language
    menu.append(option);
  }
  menu.hidden = false;
  menu.addEventListener('change', () => {
    const address = new URL(location.href);
    address.searchParams.set('lang', menu.value);
    location.assign(address);
  });
}

// The language the address asks for, if any.
export function askedLanguage() {
  return new URLSearchParams(location.search).get('lang');
}

// A notice that stays a while, as for a language there is none of; a new one stays as long.
let hiding = null;
export function showNotice(element, text) {
  if (!text) return;
  element.textContent = text;
  element.hidden = false;
  clearTimeout(hiding);
  hiding = setTimeout(() => { element.hidden = true; }, 15000);
}
