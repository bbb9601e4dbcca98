// Stylesheets imported for their side effect: esbuild bundles them into app.css.
declare module '*.css';
