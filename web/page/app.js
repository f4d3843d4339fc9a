// The page as an app, where it is the index of the app's folder on a host it can trust (https,
// or this machine): it registers the folder's service worker, which keeps the page for use
// offline, links the manifest in the window's language, and offers installing it in the corner.
// Opened from disk, or on its own under another name, it registers nothing and says nothing:
// there is no worker beside it to register.
import { cssColour } from './window.js';

let offered = null;
let installer = null;

// The browser's offer to install comes whenever it likes, maybe before the window is open: it is
// kept until the button is there to give it to.
export function watchInstallOffer() {
  addEventListener('beforeinstallprompt', (event) => {
    event.preventDefault();
    offered = event;
    installer?.();
  });
  addEventListener('appinstalled', () => {
    offered = null;
    installer?.();
  });
}

function isAppFolder() {
  return window.isSecureContext && location.protocol !== 'file:' && 'serviceWorker' in navigator &&
    /\/(index\.html)?$/.test(location.pathname);
}

// Safari on an iPad or an iPhone, in a tab: it offers no prompt, and the user adds the page to
// the Home Screen from the Share menu. An iPad's Safari says it is a Mac, but one with touch.
function addedByHand() {
  return navigator.standalone === false &&
    (/iPhone|iPad|iPod/.test(navigator.userAgent) || navigator.maxTouchPoints > 1);
}

function link(rel, href) {
  const element = document.createElement('link');
  element.rel = rel;
  element.href = href;
  document.head.append(element);
}

// button: the corner's install button; tell(words): shows a notice a screen reader hears.
export function offerApp(button, { language, languages, words, backColor }, tell) {
  if (!isAppFolder()) return;
  navigator.serviceWorker.register('sw.js').then(() => {
    // Czech, the program's own language, has the folder's manifest; the others, their own.
    const own = language === languages[0]?.code;
    link('manifest', own ? 'manifest.webmanifest' : `manifest.${language}.webmanifest`);
    link('apple-touch-icon', 'apple-touch-icon.png');
    document.querySelector('link[rel=icon]').href = 'halmira-192.png';
    const theme = document.createElement('meta');
    theme.name = 'theme-color';
    theme.content = cssColour(backColor);
    document.head.append(theme);
    offerInstalling(button, words, tell);
  }, () => {});
}

function offerInstalling(button, words, tell) {
  const byHand = addedByHand();
  const label = byHand ? words.AddToHomeScreen : words.InstallApp;
  button.setAttribute('aria-label', label);
  button.title = label;
  installer = () => { button.hidden = !offered && !byHand; };
  installer();
  button.addEventListener('click', () => {
    if (byHand) {
      tell(words.AddToHomeScreenHow);
      return;
    }
    if (!offered) return;
    const offer = offered;
    offered = null;
    offer.prompt();
    offer.userChoice.finally(installer);
    installer();
  });
}
